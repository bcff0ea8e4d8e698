// Fitting the body to traced outlines: how close and how fast.
// - Outlines the program draws itself (each preset), 400 points with 0.1 mm
//   of noise, turned and moved at random: the time of a fit and, as
//   counters, the worst over the runs of the rms and largest distance and
//   of the errors of the length and the three widths (all mm).
// - A dreadnought 400 mm wide drawn independently of the program's model:
//   a closed Catmull-Rom spline (as SVG Bezier curves) through the half
//   widths of a typical dreadnought profile, read as an SVG.
// - A template scanned on A3 at 150 dpi: the tenor ukulele's outline (a
//   guitar's is longer than the page) drawn as a 0.5 mm line, a little
//   askew, on a white page; a PNG in memory, decoded, traced and fitted.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "fit/body_fit.h"
#include "model/form_editing.h"
#include "model/presets.h"
#include "tests/core/traced_outlines.h"
#include "trace/read_outline.h"

namespace bowlyn {
namespace {

constexpr size_t POINTS = 400;
constexpr double NOISE_MM = 0.1;
constexpr int SCANNED = presetRows::TenorUke;

// What a fitted design's texts say, as loading them does.
DesignParameters fittedParams(const OutlineFit& fit) {
    Design design;
    loadTexts(design, fit.texts);
    return design.params;
}

// The largest error of the length and the three full widths, in mm.
double dimensionError(const DesignParameters& a, const DesignParameters& b) {
    const double ma = mmPerUnit(a.units), mb = mmPerUnit(b.units);
    double worst = 0;
    for (float DesignParameters::*m :
         {&DesignParameters::bodyLength, &DesignParameters::lowerBoutHalfWidth,
          &DesignParameters::waistHalfWidth, &DesignParameters::upperBoutHalfWidth}) {
        const double factor = m == &DesignParameters::bodyLength ? 1 : 2;
        worst = std::max(worst, factor * std::fabs(a.*m * ma - b.*m * mb));
    }
    return worst;
}

void BM_FitNoisyPreset(benchmark::State& state) {
    const int row = static_cast<int>(state.range(0));
    const DesignParameters truth = test::presetParams(row);
    const Polyline body = test::designOutline(truth, POINTS);
    std::mt19937 rng(static_cast<unsigned>(row));
    double rms = 0, max = 0, dims = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TracedOutline outline;
        outline.points = test::placedAtRandom(body, rng, NOISE_MM, rng() % 2 == 0);
        state.ResumeTiming();
        const OutlineFit fit = fitOutline(outline, truth.units, "noisy");
        state.PauseTiming();
        if (!fit.problem.empty()) {
            state.SkipWithError(fit.problem.c_str());
            break;
        }
        rms = std::max(rms, fit.rms);
        max = std::max(max, fit.max);
        dims = std::max(dims, dimensionError(fittedParams(fit), truth));
        state.ResumeTiming();
    }
    state.counters["rms"] = rms;
    state.counters["max"] = max;
    state.counters["dims"] = dims;
    state.SetLabel(presetName(row));
}

// Half widths of a typical dreadnought 508 mm long and 400 mm wide, from
// the tail (y) to the neck end, in mm.
const double DREADNOUGHT_PROFILE[][2] = {
    {0, 0},     {4, 60},    {15, 110},  {40, 155},  {80, 185},    {130, 199}, {160, 200},
    {200, 196}, {245, 182}, {285, 160}, {315, 143}, {338, 137.5}, {362, 141}, {390, 146},
    {410, 147}, {435, 144}, {462, 132}, {485, 110}, {500, 75},    {506, 40},  {508, 0}};

// The profile and its mirror image as one closed loop of Bezier curves
// through every point (a uniform Catmull-Rom spline), as an SVG in mm.
std::string dreadnoughtSvg() {
    std::vector<TracePoint> loop;
    for (const auto& p : DREADNOUGHT_PROFILE)
        loop.push_back({p[1], p[0]});
    const size_t n = std::size(DREADNOUGHT_PROFILE);
    for (size_t i = n - 2; i >= 1; --i)
        loop.push_back({-DREADNOUGHT_PROFILE[i][1], DREADNOUGHT_PROFILE[i][0]});
    const size_t m = loop.size();
    auto at = [&](size_t i) { return loop[i % m]; };
    auto text = [](const TracePoint& p) {
        return std::to_string(p.x + 300) + "," + std::to_string(600 - p.y) + " ";
    };
    std::string d = "M " + text(loop[0]);
    for (size_t i = 0; i < m; ++i) {
        const TracePoint p0 = at(i + m - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        d += "C " + text({p1.x + (p2.x - p0.x) / 6, p1.y + (p2.y - p0.y) / 6}) +
             text({p2.x - (p3.x - p1.x) / 6, p2.y - (p3.y - p1.y) / 6}) + text(p2);
    }
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"600mm\" height=\"700mm\" "
           "viewBox=\"0 0 600 700\"><path d=\"" +
           d + "Z\"/></svg>";
}

void BM_FitDreadnoughtSpline(benchmark::State& state) {
    const std::string svg = dreadnoughtSvg();
    OutlineFit fit;
    for (auto _ : state) {
        const TracedOutline outline = outlineFromBytes("dreadnought.svg", svg, {});
        fit = fitOutline(outline, UNITS_INCH, "dreadnought");
        if (!fit.problem.empty()) {
            state.SkipWithError(fit.problem.c_str());
            return;
        }
    }
    state.counters["rms"] = fit.rms;
    state.counters["max"] = fit.max;
    state.counters["preset_rms"] = fit.closestPresetRms;
    state.SetLabel("closest preset " + presetName(fit.closestPreset));
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// A body drawn with a 0.5 mm pencil line, a little askew, on an A3 page
// scanned at 150 dpi.
std::string scannedA3() {
    const double dpi = 150, px = dpi / 25.4;
    const int w = static_cast<int>(297 * px), h = static_cast<int>(420 * px);
    const Polyline body = test::designOutline(test::presetParams(SCANNED), 2000);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_translate(cr, w / 2.0, h * 0.85);
    cairo_rotate(cr, 0.05);
    cairo_scale(cr, px, -px);
    for (const TracePoint& p : body)
        cairo_line_to(cr, p.x, p.y);
    cairo_close_path(cr);
    cairo_set_line_width(cr, 0.5);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_stroke(cr);
    std::string png;
    cairo_surface_write_to_png_stream(surface, appendBytes, &png);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return png;
}

void BM_FitScannedA3(benchmark::State& state) {
    const std::string png = scannedA3();
    OutlineReading reading;
    reading.dpi = 150;
    OutlineFit fit;
    for (auto _ : state) {
        const TracedOutline outline = outlineFromBytes("scan.png", png, reading);
        if (!outline.problem.empty()) {
            state.SkipWithError(outline.problem.c_str());
            return;
        }
        fit = fitOutline(outline, UNITS_INCH, "scan");
    }
    state.counters["rms"] = fit.rms;
    state.counters["max"] = fit.max;
    state.counters["dims"] = dimensionError(fittedParams(fit), test::presetParams(SCANNED));
}

BENCHMARK(BM_FitNoisyPreset)
    ->DenseRange(1, PRESET_COUNT)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK(BM_FitDreadnoughtSpline)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FitScannedA3)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace bowlyn
