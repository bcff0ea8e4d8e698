#include "fit/fit_report.h"

#include <charconv>
#include <cmath>

#include "geometry/outline_pieces.h"
#include "model/presets.h"

namespace bowlyn {
namespace {

constexpr double PI = CIRCLE_RADIANS / 2.0;

std::string fixed(double v, int decimals) {
    char buffer[64];
    if (std::fabs(v) < 0.5 * std::pow(10.0, -decimals))
        v = 0;  // no "-0.000"
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    return std::string(buffer, r.ptr);
}

}  // namespace

std::vector<ReportLine> fitReport(const OutlineFit& fit) {
    std::vector<ReportLine> lines;
    auto mm = [&](const std::string& name, double v) {
        lines.push_back({name, fixed(v, 3), "mm"});
    };
    lines.push_back({"outline", fit.half ? "half" : "whole", ""});
    lines.push_back({"points", std::to_string(fit.points), ""});
    mm("rms", fit.rms);
    mm("max", fit.max);
    for (const FitRegion& region : fit.regions) {
        mm(std::string(region.name) + " rms", region.rms);
        mm(std::string(region.name) + " max", region.max);
    }
    if (fit.asymmetryRms && fit.asymmetryMax) {
        mm("asymmetry rms", *fit.asymmetryRms);
        mm("asymmetry max", *fit.asymmetryMax);
    }
    lines.push_back({"cutaway", fit.cutaway ? "yes" : "no", ""});
    double degrees = fit.placement.angle * 180 / PI;
    degrees = std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0);
    lines.push_back({"centre line direction", fixed(degrees, 3), "deg"});
    mm("tail end x", fit.placement.tail.x);
    mm("tail end y", fit.placement.tail.y);
    lines.push_back({"mirrored", fit.placement.mirrored ? "yes" : "no", ""});
    lines.push_back({"other fields from", presetName(fit.presetRow), ""});
    if (!fit.leftOut.empty())
        lines.push_back({"left out", fit.leftOut, ""});
    lines.push_back({"closest preset", presetName(fit.closestPreset), ""});
    mm("closest preset rms", fit.closestPresetRms);
    return lines;
}

}  // namespace bowlyn
