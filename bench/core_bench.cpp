// Speed of the core as the user feels it:
//  - the target preview of the chipset page with 128-pixel cells (one pointer
//    move over CZ), beside a plain memcpy of the same 128 x 128 x 4 bytes;
//  - a 100 000-event runner script over the chipset, faceset and systemset
//    pages, in events per second.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>
#include <vector>

#include "runner/batch_runner.h"

#include "headless_hosts.h"

namespace {

using tw::bench::NoAbout;
using tw::bench::NoDialog;

void BM_TargetPreview128(benchmark::State& state) {
    NoDialog dialog;
    NoAbout about;
    tw::Program program(dialog, about);
    program.Load();
    for (int i = 0; i < 3; ++i) program.Click("cmdSelGR");
    if (program.Form().State.ChipSelSize != 128) state.SkipWithError("cell is not 128");
    // Walk the 16-pixel grid so that every move lands on a new cell.
    std::vector<std::pair<float, float>> points;
    for (int y = 0; y < 256; y += 16)
        for (int x = 0; x < 480; x += 16) points.emplace_back(x + 3.f, y + 5.f);
    size_t i = 0;
    for (auto _ : state) {
        const auto [x, y] = points[i++ % points.size()];
        program.MouseMove("CZ", 0, 0, x, y);
        benchmark::DoNotOptimize(program.Form().Img("imgC2").GetPicture().raster());
    }
    state.SetBytesProcessed(state.iterations() * 128 * 128 * 4);
}
BENCHMARK(BM_TargetPreview128);

void BM_Memcpy128(benchmark::State& state) {
    std::vector<uint32_t> from(480 * 256, 0x123456), to(128 * 128);
    size_t i = 0;
    for (auto _ : state) {
        // The same amount of pixels, from a different place each time.
        std::memcpy(to.data(), from.data() + (i++ % 64) * 16, 128 * 128 * 4);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 128 * 128 * 4);
}
BENCHMARK(BM_Memcpy128);

// Pointer moves, picks, stamps and size changes over three pages.
std::string RunnerScript(int events) {
    struct Page {
        const char *source, *target, *size, *fill;
        int w, h;
    };
    const Page pages[] = {{"CQ", "CZ", "cmdSelGR", "cmdNew", 480, 256},
                          {"FQ", "FZ", nullptr, "cmdFnew", 192, 192},
                          {"SQ", "SZ", "ySelSize", "cmdSnew", 160, 80}};
    std::mt19937 rng(42);
    std::ostringstream s;
    for (int n = 0; n < events; ++n) {
        const Page& p = pages[rng() % 3];
        const int r = rng() % 100;
        const int x = static_cast<int>(rng() % (p.w + 40)) - 20;
        const int y = static_cast<int>(rng() % (p.h + 40)) - 20;
        if (r < 40) s << "move " << p.target << " 0 " << x << " " << y << "\n";
        else if (r < 70) s << "move " << p.source << " 0 " << x << " " << y << "\n";
        else if (r < 82) s << "down " << p.source << " 1 " << x << " " << y << "\n";
        else if (r < 94) s << "down " << p.target << " 1 " << x << " " << y << "\n";
        else if (r < 97) s << "down " << p.target << " 2 " << x << " " << y << "\n";
        else if (r < 99 && p.size) s << "click " << p.size << "\n";
        else s << "click " << p.fill << "\n";
    }
    return s.str();
}

void BM_Runner100k(benchmark::State& state) {
    const int events = 100000;
    const std::string script = RunnerScript(events);
    for (auto _ : state) {
        std::istringstream in(script);
        std::ostringstream out, err;
        tw::BatchRunner runner("bench", out, err);
        if (runner.Run(in) != 0) state.SkipWithError(err.str().c_str());
    }
    state.SetItemsProcessed(state.iterations() * events);
    state.counters["events_per_second"] =
        benchmark::Counter(static_cast<double>(events), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Runner100k)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
