// Edit > Reduce Colours on a 480 x 480 battle sheet of more than 40 000
// colours, beside the GIF writer's reduction of the same sheet: the time of
// each, and as counters the PSNR each keeps (dB) and the colours left.
//
//   build/bench/tw_reduce_bench

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "editors/sheet_colours.h"
#include "imagefiles/colour_count.h"
#include "imagefiles/dib.h"
#include "imagefiles/dump_picture.h"
#include "imagefiles/picture_psnr.h"
#include "runner/batch_runner.h"

#include "../headless_hosts.h"
#include "many_colours.h"

namespace {

using tw::bench::NoAbout;
using tw::bench::ManyColours;
using tw::bench::NoDialog;

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string("tw_reduce_bench_") + std::to_string(getpid()) + name))
        .string();
}

void BM_ReduceColours(benchmark::State& state) {
    NoDialog dialog;
    NoAbout about;
    tw::Program program(dialog, about);
    program.Load();
    program.SelectTab("Tab1", 4);  // the battle page in front: Undo takes back its step
    const tw::Raster sheet = ManyColours();
    const std::string bmp = TempPath(".bmp");
    if (tw::DumpRaster(sheet, bmp) != "") state.SkipWithError("cannot write the sheet");
    program.Files().LoadImageFile(bmp, "BZ");
    std::filesystem::remove(bmp);
    double psnr = 0;
    for (auto _ : state) {
        program.ReduceColours("BZ", 256);
        state.PauseTiming();
        const tw::Raster& shown = program.Form().Pic("BZ").View();
        psnr = tw::Psnr(sheet, shown);
        state.counters["colours_after"] = tw::CountColours(shown);
        program.Click("mnuUndo");
        state.ResumeTiming();
    }
    state.counters["colours_before"] = tw::CountColours(sheet);
    state.counters["psnr_dB"] = psnr;
}
BENCHMARK(BM_ReduceColours)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_GifWriter(benchmark::State& state) {
    const tw::Raster sheet = ManyColours();
    ImageDescriptor image{};
    if (tw::RasterToImage(sheet, &image) != 0) state.SkipWithError("no image");
    const std::string gif = TempPath(".gif");
    for (auto _ : state) benchmark::DoNotOptimize(savegif(gif.c_str(), &image));
    ImageDescriptor back{};
    double psnr = 0;
    GifInfo gi{};
    if (gifinfo(gif.c_str(), &gi) == 0 &&
        allocimage(&back, gi.width, gi.length, gi.vbitcount) == 0 &&
        loadgif(gif.c_str(), &back) == 0)
        psnr = tw::Psnr(sheet, tw::ImageToRaster(back));
    freeimage(&back);
    freeimage(&image);
    std::filesystem::remove(gif);
    state.counters["colours_before"] = tw::CountColours(sheet);
    state.counters["psnr_dB"] = psnr;
}
BENCHMARK(BM_GifWriter)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
