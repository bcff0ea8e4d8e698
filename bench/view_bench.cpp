// What the window does between passes: the strokes of a pass painted
// again in the window's own view, as the drawing's expose handler paints it
// after a zoom, a pan or a resize. The default view shows the 660 image
// itself and paints nothing here (see BM_RecomputeWorking for that pass).
#include <benchmark/benchmark.h>
#include <cairo.h>

#include "geometry/recompute.h"
#include "model/presets.h"
#include "render/drawing_view.h"

namespace bowlyn {
namespace {

void paintInView(benchmark::State& state, const char* preset, int width, int height, double zoom) {
    Design design;
    loadTexts(design, presetTexts(presetByName(preset)));
    const PassResult pass = recompute(design.params, Overlays{}, DrawingMode::Working);
    if (!pass.ok()) {
        state.SkipWithError("the preset has a problem");
        return;
    }
    DrawingView view;
    view.setArea(width, height);
    view.setFitted(*pass.view);
    if (zoom != 1.0)  // about the upper bout, a third of the way down
        view.zoomAbout(width / 2.0, height / 3.0, zoom);
    cairo_surface_t* buffer = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    for (auto _ : state) {
        cairo_t* cr = cairo_create(buffer);
        view.paint(cr, pass.strokes);
        cairo_destroy(cr);
        cairo_surface_flush(buffer);
    }
    cairo_surface_destroy(buffer);
    state.SetLabel(preset);
}

void BM_ZoomedView(benchmark::State& state, const char* preset, double zoom) {
    paintInView(state, preset, DRAWING_WIDTH, DRAWING_HEIGHT, zoom);
}
void BM_LargerWindow(benchmark::State& state, const char* preset) {
    paintInView(state, preset, 1200, 1000, 1.0);
}

BENCHMARK_CAPTURE(BM_ZoomedView, OM_fitted, "OM", 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ZoomedView, OM_4x, "OM", 4.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ZoomedView, OM_50x, "OM", 50.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ZoomedView, ABG_4x, "ABG 18'' w/ Venetian cutaway", 4.0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LargerWindow, OM_1200x1000, "OM")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace bowlyn
