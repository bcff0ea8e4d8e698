// The cost of one click: a full recompute pass for each built-in preset, in
// the working and the final drawing, painted into the image as the window
// paints it or not painted at all, and the clearing of the image on its own.
#include <benchmark/benchmark.h>

#include <string>

#include "geometry/pass_texts.h"
#include "geometry/recompute.h"
#include "model/presets.h"
#include "render/drawing_surface.h"

namespace bowlyn {
namespace {

void recomputePreset(benchmark::State& state, int row, DrawingMode mode, bool painting) {
    Design design;
    loadTexts(design, presetTexts(row));
    const Overlays overlays;
    const PassResult first = recompute(design.params, overlays, mode);
    if (!first.ok()) {
        state.SkipWithError(statusText(first).c_str());
        return;
    }
    // As a click does: the pass, then its picture in the 660 image.
    DrawingSurface image;
    for (auto _ : state) {
        const PassResult result = recompute(design.params, overlays, mode);
        if (painting) {
            image.clear();
            image.paint(result.strokes, *result.view);
        }
        benchmark::DoNotOptimize(result.strokes.size());
    }
    state.SetLabel(presetName(row));
}

void BM_RecomputeWorking(benchmark::State& state) {
    recomputePreset(state, static_cast<int>(state.range(0)), DrawingMode::Working, true);
}
void BM_RecomputeFinal(benchmark::State& state) {
    recomputePreset(state, static_cast<int>(state.range(0)), DrawingMode::Final, true);
}
void BM_RecomputeWorkingNoPaint(benchmark::State& state) {
    recomputePreset(state, static_cast<int>(state.range(0)), DrawingMode::Working, false);
}
void BM_RecomputeFinalNoPaint(benchmark::State& state) {
    recomputePreset(state, static_cast<int>(state.range(0)), DrawingMode::Final, false);
}

void BM_ClearSurface(benchmark::State& state) {
    DrawingSurface surface;
    for (auto _ : state) {
        surface.clear();
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_RecomputeWorking)->DenseRange(1, PRESET_COUNT)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeFinal)->DenseRange(1, PRESET_COUNT)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeWorkingNoPaint)->DenseRange(1, PRESET_COUNT)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeFinalNoPaint)->DenseRange(1, PRESET_COUNT)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClearSurface)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace bowlyn
