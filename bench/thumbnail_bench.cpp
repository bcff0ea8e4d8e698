// What a file manager waits for per design, in-process: the final pass of a
// built-in preset and its thumbnail at the sizes file managers ask for (128,
// 256 and 1024 pixels), PNG encoding included. The process around it (start,
// reading the file, writing the PNG) adds a few milliseconds.
#include <benchmark/benchmark.h>

#include "derive/solved_design.h"
#include "geometry/recompute.h"
#include "model/presets.h"
#include "paper/thumbnail.h"

namespace bowlyn {
namespace {

void BM_Thumbnail(benchmark::State& state) {
    const int row = static_cast<int>(state.range(0));
    const int size = static_cast<int>(state.range(1));
    Design design;
    for (auto _ : state) {
        loadTexts(design, presetTexts(row));
        const PassResult pass = recompute(design.params, Overlays{}, DrawingMode::Final);
        const std::optional<SolvedDesign> solved = solvedDesign(pass, design);
        if (!solved) {
            state.SkipWithError("no complete outline");
            return;
        }
        benchmark::DoNotOptimize(thumbnailPng(*solved, size));
    }
    state.SetLabel(presetName(row));
}

// Medians of repeated runs: a shared machine's slow moments do not count.
BENCHMARK(BM_Thumbnail)
    ->ArgsProduct({benchmark::CreateDenseRange(1, PRESET_COUNT, 1), {128, 256, 1024}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace bowlyn
