#include "fit/outline_import.h"

#include "fit/fit_report.h"
#include "geometry/document.h"
#include "model/presets.h"

namespace bowlyn {
namespace {

// The overlay paints a line per point: more than this adds nothing a
// 660-pixel drawing can show.
constexpr size_t OVERLAY_POINTS = 2000;

void layOver(Document& doc, const TracedOutline& outline, const Placement& placement) {
    const double mm = doc.params.units == UNITS_CM ? 10.0 : 25.4;
    const Polyline& points = outline.points.size() > OVERLAY_POINTS
                                 ? resampled(outline.points, !outline.half, OVERLAY_POINTS)
                                 : outline.points;
    doc.tracedOutline.clear();
    for (const TracePoint& p : points) {
        const TracePoint body = placement.toBody(p);
        doc.tracedOutline.push_back({body.x / mm, body.y / mm});
    }
    doc.tracedHalf = outline.half;
}

}  // namespace

std::string outlineName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string importOutline(Document& doc, const std::string& path, const OutlineReading& reading,
                          std::optional<ImportedOutline>& imported) {
    TracedOutline outline = readOutline(path, reading);
    if (!outline.problem.empty())
        return "Cannot import '" + path + "': " + outline.problem;
    layOver(doc, outline, placeOutline(outline).placement);
    imported = ImportedOutline{std::move(outline), outlineName(path)};
    return "";
}

OutlineFit fitToOutline(Document& doc, const ImportedOutline& imported) {
    OutlineFit fit = fitOutline(imported.outline, doc.params.units, imported.name);
    if (!fit.problem.empty())
        return fit;
    doc.presets[WORK_ROW] = fit.texts;
    loadPreset(doc, WORK_ROW);
    layOver(doc, imported.outline, fit.placement);
    return fit;
}

std::string fitReportText(const OutlineFit& fit) {
    std::string text;
    for (const ReportLine& line : fitReport(fit))
        text += line.name + ": " + line.value + (line.unit.empty() ? "" : " " + line.unit) + "\n";
    return text;
}

}  // namespace bowlyn
