// Full recompute passes of designs with cutaways, fretboards, markers and
// strings, painted into the image or not painted. The latter leaves the
// program's own work (checks, geometry, recording); the difference is
// clearing the image and cairo's stroking.
#include <benchmark/benchmark.h>

#include "geometry/pass_texts.h"
#include "geometry/recompute.h"
#include "model/presets.h"
#include "render/drawing_surface.h"

namespace bowlyn {
namespace {

constexpr int DENSE_DESIGN = 0;  // not a preset row: built from the OM below

// The OM with 24 frets, markers and 16 strings in 8 courses of two.
void makeDense(Design& design) {
    loadTexts(design, presetTexts(presetRows::OM));
    DesignParameters& p = design.params;
    p.fretCount = 24;
    p.hasMarkers = 1;
    p.markerDiameter = 0.25f;
    p.sideMarkerDiameter = 0.063f;
    p.hasStrings = 1;
    p.stringCount = 16;
    p.stringsPerCourse = 2;
    p.courseSpacing = 0.03f;
    p.nutWidth = 2.1f;
    p.boardWidthAtFret = 2.4f;
    for (int i = 1; i <= MAX_STRINGS; ++i)
        p.stringDiameters[i] = 0.01f + 0.002f * i;
}

void pass(benchmark::State& state, int row, bool painting) {
    Design design;
    if (row == DENSE_DESIGN)
        makeDense(design);
    else
        loadTexts(design, presetTexts(row));
    const Overlays overlays;
    const PassResult first = recompute(design.params, overlays, DrawingMode::Working);
    if (!first.ok()) {
        state.SkipWithError(statusText(first).c_str());
        return;
    }
    DrawingSurface image;
    for (auto _ : state) {
        const PassResult result = recompute(design.params, overlays, DrawingMode::Working);
        if (painting) {
            image.clear();
            image.paint(result.strokes, *result.view);
        }
        benchmark::DoNotOptimize(result.strokes.size());
    }
    double entities = static_cast<double>(recordedStrokes(first.strokes).size());
    state.counters["entities"] = entities;
    state.counters["per_entity"] =
        benchmark::Counter(entities * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

#define NECK_BENCH(name, row)                                      \
    void BM_##name##_painted(benchmark::State& s) {                \
        pass(s, row, true);                                        \
    }                                                              \
    void BM_##name##_recorded(benchmark::State& s) {               \
        pass(s, row, false);                                       \
    }                                                              \
    BENCHMARK(BM_##name##_painted)->Unit(benchmark::kMicrosecond); \
    BENCHMARK(BM_##name##_recorded)->Unit(benchmark::kMicrosecond)

NECK_BENCH(ArchtopVenetian, 1);
NECK_BENCH(SteelStringFlorentine, 6);
NECK_BENCH(AbgVenetianFretboard, 7);
NECK_BENCH(OmFretboardStrings, 8);
NECK_BENCH(Dense24Frets16Strings, DENSE_DESIGN);

}  // namespace
}  // namespace bowlyn
