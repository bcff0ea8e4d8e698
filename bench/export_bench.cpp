// The cost of an export once a pass is complete: the DXF for CAM (version 12,
// and 2000 with its arcs flattened to 0.001), the SVG, the measurements, the
// fret table as `frets` prints it and the paper template (tiled on A4, and at
// full size) of each built-in preset, in-process (closing the contours and
// laying out the tiles included, writing the file not); and the same with
// depths, whose side strips and air volume come along, and a mould 20 mm out.
#include <benchmark/benchmark.h>

#include <string>

#include "derive/measurements.h"
#include "derive/solved_design.h"
#include "formats/export_file.h"
#include "formats/fret_table.h"
#include "geometry/fret_layout.h"
#include "geometry/pass_texts.h"
#include "geometry/recompute.h"
#include "model/form_editing.h"
#include "model/presets.h"
#include "paper/pdf_template.h"

namespace bowlyn {
namespace {

enum class Job { CamDxf, CamDxf2000Flat, Svg, Measure, FretTable, PdfA4, PdfFull };

size_t templateBytes(const SolvedDesign& solved, const std::string& title, const char* paper,
                     const ExportSettings& options) {
    TemplateSettings settings;
    static_cast<ExportSettings&>(settings) = options;
    settings.paper = *paperByName(paper);
    settings.title = title;
    settings.date = "2024-05-01";
    const PlanResult plan = planTemplate(solved, settings);
    return templatePdf(plan.plan, "2024-05-01T00:00:00Z").bytes.size();
}

void exportPreset(benchmark::State& state, Job job, bool depths = false) {
    const int row = static_cast<int>(state.range(0));
    Design design;
    loadTexts(design, presetTexts(row));
    ExportSettings options;
    if (depths) {
        // 4 and 3.25 inches deep, a 0.11 inch top, in the design's unit.
        const bool cm = design.params.units == UNITS_CM;
        setFieldText(design, fields::BODY_DEPTH_AT_TAIL, cm ? "10.16" : "4");
        setFieldText(design, fields::BODY_DEPTH_AT_NECK, cm ? "8.255" : "3.25");
        setFieldText(design, fields::TOP_THICKNESS, cm ? "0.28" : "0.11");
        options.unit = LengthUnit::Millimetre;
        options.mould = 20.0;
    }
    const PassResult pass = recompute(design.params, Overlays{}, DrawingMode::Final);
    const std::optional<SolvedDesign> solved = solvedDesign(pass, design);
    if (!solved) {
        state.SkipWithError(statusText(pass).c_str());
        return;
    }
    if (job == Job::FretTable && solved->frets.empty()) {
        state.SkipWithError("no fretboard");
        return;
    }
    if (job == Job::CamDxf2000Flat) {
        options.dxfVersion = DxfVersion::R2000;
        options.flatten = 0.001;
    }
    const std::string title = designTitle(design);
    for (auto _ : state) {
        if (job == Job::PdfA4 || job == Job::PdfFull) {
            benchmark::DoNotOptimize(
                templateBytes(*solved, title, job == Job::PdfA4 ? "a4" : "full", options));
        } else if (job == Job::FretTable) {
            // From the parameters, as the command line's table is made.
            const LengthUnit unit = designUnit(solved->units);
            const std::string text =
                fretTableText(fretTable(fretLayout(pass.params), unit, LengthUnit::Millimetre));
            benchmark::DoNotOptimize(text.data());
        } else if (job == Job::Measure) {
            MeasureResult m = measureDesign(*solved, std::nullopt);
            benchmark::DoNotOptimize(m.values.area);
        } else {
            const ExportFile file = job == Job::Svg ? svgFile(*solved, options, title)
                                                    : camDxfFile(*solved, options, title);
            benchmark::DoNotOptimize(file.bytes.data());
        }
    }
    state.SetLabel(presetName(row));
}

void BM_ExportCamDxf(benchmark::State& state) {
    exportPreset(state, Job::CamDxf);
}
void BM_ExportSvg(benchmark::State& state) {
    exportPreset(state, Job::Svg);
}
void BM_ExportCamDxf2000Flattened(benchmark::State& state) {
    exportPreset(state, Job::CamDxf2000Flat);
}
void BM_FretTable(benchmark::State& state) {
    exportPreset(state, Job::FretTable);
}
void BM_Measure(benchmark::State& state) {
    exportPreset(state, Job::Measure);
}
void BM_ExportPdfA4(benchmark::State& state) {
    exportPreset(state, Job::PdfA4);
}
void BM_ExportPdfFull(benchmark::State& state) {
    exportPreset(state, Job::PdfFull);
}
void BM_ExportCamDxfWithSidesAndMould(benchmark::State& state) {
    exportPreset(state, Job::CamDxf, true);
}
void BM_ExportSvgWithSidesAndMould(benchmark::State& state) {
    exportPreset(state, Job::Svg, true);
}
void BM_MeasureWithDepths(benchmark::State& state) {
    exportPreset(state, Job::Measure, true);
}
void BM_ExportPdfA4WithSidesAndMould(benchmark::State& state) {
    exportPreset(state, Job::PdfA4, true);
}

// Medians of repeated runs: a shared machine's slow moments do not count.
#define EXPORT_BENCHMARK(f)             \
    BENCHMARK(f)                        \
        ->DenseRange(1, PRESET_COUNT)   \
        ->Unit(benchmark::kMicrosecond) \
        ->Repetitions(7)                \
        ->ReportAggregatesOnly(true)

EXPORT_BENCHMARK(BM_ExportCamDxf);
EXPORT_BENCHMARK(BM_ExportCamDxf2000Flattened);
EXPORT_BENCHMARK(BM_ExportSvg);
EXPORT_BENCHMARK(BM_FretTable);
EXPORT_BENCHMARK(BM_Measure);
EXPORT_BENCHMARK(BM_ExportCamDxfWithSidesAndMould);
EXPORT_BENCHMARK(BM_ExportSvgWithSidesAndMould);
EXPORT_BENCHMARK(BM_MeasureWithDepths);
EXPORT_BENCHMARK(BM_ExportPdfA4WithSidesAndMould);
EXPORT_BENCHMARK(BM_ExportPdfA4);
EXPORT_BENCHMARK(BM_ExportPdfFull);

}  // namespace
}  // namespace bowlyn
