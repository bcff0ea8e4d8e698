// The cost of one click: a full recompute pass for each built-in preset, in
// the working and the final drawing, painted into the image or onto a canvas
// that paints nothing, and the clearing of the image on its own.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/blank_canvas.h"
#include "geometry/document.h"
#include "geometry/pass_display.h"
#include "geometry/recompute.h"
#include "model/memory_form.h"
#include "model/presets.h"

namespace bowlyn {
namespace {

void recomputePreset(benchmark::State& state, int row, int finalDrawing, bool painting) {
    MemoryForm form;
    Document doc(form);
    loadPreset(doc, row);
    doc.finalDrawing = finalDrawing;
    BlankCanvas blank;
    if (!painting)
        doc.drawing.canvas = &blank;
    const PassResult first = recompute(doc);
    if (!first.ok()) {
        state.SkipWithError(statusText(first).c_str());
        return;
    }
    // As a click does: the pass, then its labels, status line and picture
    // handed to the form.
    for (auto _ : state) {
        const PassResult result = recomputeAndShow(doc);
        benchmark::DoNotOptimize(result.strokes->size());
    }
    state.SetLabel(presetName(row));
}

void BM_RecomputeWorking(benchmark::State& state) {
    recomputePreset(state, static_cast<int>(state.range(0)), 0, true);
}
void BM_RecomputeFinal(benchmark::State& state) {
    recomputePreset(state, static_cast<int>(state.range(0)), 1, true);
}
void BM_RecomputeWorkingNoPaint(benchmark::State& state) {
    recomputePreset(state, static_cast<int>(state.range(0)), 0, false);
}
void BM_RecomputeFinalNoPaint(benchmark::State& state) {
    recomputePreset(state, static_cast<int>(state.range(0)), 1, false);
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
