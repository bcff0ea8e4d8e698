#include "fit/outline_import.h"

#include "fit/fit_report.h"
#include "geometry/overlays.h"

namespace bowlyn {
namespace {

// The overlay paints a line per point: more than this adds nothing a
// 660-pixel drawing can show.
constexpr size_t OVERLAY_POINTS = 2000;

void layOver(Overlays& overlays, DesignUnits units, const TracedOutline& outline,
             const Placement& placement) {
    const double mm = mmPerUnit(units);
    const Polyline& points = outline.points.size() > OVERLAY_POINTS
                                 ? resampled(outline.points, !outline.half, OVERLAY_POINTS)
                                 : outline.points;
    overlays.tracedOutline.clear();
    for (const TracePoint& p : points) {
        const TracePoint body = placement.toBody(p);
        overlays.tracedOutline.push_back({body.x / mm, body.y / mm});
    }
    overlays.tracedHalf = outline.half;
}

}  // namespace

std::string outlineName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string importOutline(Overlays& overlays, DesignUnits units, const std::string& path,
                          const OutlineReading& reading, std::optional<ImportedOutline>& imported) {
    TracedOutline outline = readOutline(path, reading);
    if (!outline.problem.empty())
        return "Cannot import '" + path + "': " + outline.problem;
    layOver(overlays, units, outline, placeOutline(outline).placement);
    imported = ImportedOutline{std::move(outline), outlineName(path)};
    return "";
}

OutlineFit fitToOutline(Overlays& overlays, DesignUnits units, const ImportedOutline& imported) {
    OutlineFit fit = fitOutline(imported.outline, units, imported.name);
    if (fit.problem.empty())
        layOver(overlays, units, imported.outline, fit.placement);
    return fit;
}

std::string fitReportText(const OutlineFit& fit) {
    std::string text;
    for (const ReportLine& line : fitReport(fit))
        text += line.name + ": " + line.value + (line.unit.empty() ? "" : " " + line.unit) + "\n";
    return text;
}

}  // namespace bowlyn
