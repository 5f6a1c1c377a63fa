// The colour panel following a stamp on a 480 x 480 battle sheet: a 96 x 96
// stamp, then the colour count and the palette in save order as the panel
// asks for them (target: at most 1 ms together), the "Similar" order of that
// palette, and for comparison the plain count and reading of the whole sheet
// that every stamp would cost without the sheet's running tally.
//
//   build/bench/tw_panel_bench

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <unordered_set>

#include "editors/colour_order.h"
#include "editors/page_table.h"
#include "editors/program.h"
#include "imagefiles/colour_count.h"
#include "imagefiles/dump_picture.h"

#include "../headless_hosts.h"
#include "many_colours.h"

namespace {

using tw::bench::NoAbout;
using tw::bench::ManyColours;
using tw::bench::NoDialog;

// Battle frames drawn in about 180 colours, in irregular patches.
tw::Raster Frames(uint32_t seed) {
    tw::Raster r(480, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 480; ++x) {
            const int i = static_cast<int>(((x / 6) * 7 + (y / 5) * 13 + (x * y / 97) + seed) % 180);
            r.Set(x, y, tw::Rgb(i * 37, i * 11 + 40, i * 5 + 7));
        }
    return r;
}

// A program on the battle page with `source` in BQ and `target` in BZ.
struct Battle {
    NoDialog dialog;
    NoAbout about;
    tw::Program program{dialog, about};
    std::mt19937 rng{5};

    Battle(const tw::Raster& source, const tw::Raster& target) {
        program.Load();
        program.SelectTab("Tab1", tw::PageByLetter('B').tab);
        const std::string bmp = (std::filesystem::temp_directory_path() /
                                 ("tw_panel_bench_" + std::to_string(getpid()) + ".bmp"))
                                    .string();
        tw::DumpRaster(source, bmp);
        program.Files().LoadImageFile(bmp, "BQ");
        tw::DumpRaster(target, bmp);
        program.Files().LoadImageFile(bmp, "BZ");
        std::filesystem::remove(bmp);
    }
    const tw::Sheet& Sheet() const { return program.SheetOf(tw::PageByLetter('B')); }
    // A random cell picked and stamped at a random place.
    void Stamp() {
        program.MouseDown("BQ", 1, 0, static_cast<float>(rng() % 480), static_cast<float>(rng() % 480));
        program.MouseDown("BZ", 1, 0, static_cast<float>(rng() % 480), static_cast<float>(rng() % 480));
    }
};

void StampThenColours(benchmark::State& state, const tw::Raster& source, const tw::Raster& sheet) {
    Battle b(source, sheet);
    size_t colours = 0;
    for (auto _ : state) {
        b.Stamp();
        colours = static_cast<size_t>(b.Sheet().ColourCount());
        benchmark::DoNotOptimize(b.Sheet().Palette());
    }
    state.counters["colours"] = static_cast<double>(colours);
}

// The stamp alone, for the difference.
void BM_Stamp(benchmark::State& state) {
    Battle b(Frames(3), Frames(8));
    for (auto _ : state) b.Stamp();
}
BENCHMARK(BM_Stamp)->Unit(benchmark::kMicrosecond);

void BM_StampCountAndOrder(benchmark::State& state) {
    StampThenColours(state, Frames(3), Frames(8));
}
BENCHMARK(BM_StampCountAndOrder)->Unit(benchmark::kMicrosecond);

void BM_StampCountAndOrderManyColours(benchmark::State& state) {
    StampThenColours(state, ManyColours(), ManyColours());
}
BENCHMARK(BM_StampCountAndOrderManyColours)->Unit(benchmark::kMicrosecond);

void BM_SimilarOrder(benchmark::State& state) {
    Battle b(Frames(3), Frames(8));
    const std::vector<tw::Pixel> palette = b.Sheet().Palette();
    for (auto _ : state) benchmark::DoNotOptimize(tw::SimilarOrder(palette));
    state.counters["colours"] = static_cast<double>(palette.size());
}
BENCHMARK(BM_SimilarOrder)->Unit(benchmark::kMicrosecond);

// Without the tally: the whole sheet counted and read again after the stamp.
void BM_StampPlainRecount(benchmark::State& state) {
    Battle b(Frames(3), Frames(8));
    for (auto _ : state) {
        b.Stamp();
        const tw::Raster& pixels = b.Sheet().Pixels();
        benchmark::DoNotOptimize(tw::CountColours(pixels));
        std::vector<tw::Pixel> palette;
        std::unordered_set<tw::Pixel> seen;
        for (tw::Pixel p : pixels.Pixels())
            if (seen.insert(p).second) palette.push_back(p);
        benchmark::DoNotOptimize(palette);
    }
}
BENCHMARK(BM_StampPlainRecount)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
