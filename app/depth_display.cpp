#include "app/depth_display.h"

#include <charconv>

#include "derive/pass_report.h"
#include "model/field_table.h"

namespace bowlyn {
namespace {

std::string fixed(double v, int decimals) {
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string("?");
}

// The depth fields as the Depth section captions them.
std::string windowName(int field) {
    switch (field) {
        case fields::BODY_DEPTH_AT_TAIL:
            return "The depth at the tail end";
        case fields::BODY_DEPTH_AT_NECK:
            return "The depth at the neck end";
        default:
            return "The top thickness";
    }
}

// A depth that cannot be used: the outline it does not concern stays drawn.
AirDisplay depthProblem(const DepthSettings& depth, const std::string& problem) {
    const bool typed = depth.problemField != 0;
    AirDisplay shown;
    shown.note = typed ? windowName(depth.problemField) + " " + depth.problemReason : problem;
    shown.problem = "Problem: " + shown.note;
    shown.problemFields = typed ? FieldSet{depth.problemField}
                                : FieldSet{fields::BODY_DEPTH_AT_TAIL, fields::BODY_DEPTH_AT_NECK};
    return shown;
}

}  // namespace

std::string airVolumeText(double volume, const char* unitName, double litres) {
    return fixed(volume, 1) + " " + unitName + "\xC2\xB3 (" + fixed(litres, 2) + " litres)";
}

std::string airResonanceText(double hertz) {
    return "about " + fixed(hertz, 0) + " Hz";
}

AirDisplay airDisplay(const PassReport& report) {
    AirDisplay shown;
    if (!report.measured || !report.measured->problem.empty())
        return shown;
    const MeasureResult& m = *report.measured;
    if (!m.depthProblem.empty())
        return depthProblem(report.depth, m.depthProblem);
    const OutlineMeasurements& v = m.values;
    if (!v.hasVolume)
        return shown;
    shown.volume = airVolumeText(v.volume, unitName(v.unit), v.litres);
    if (v.hasResonance) {
        shown.resonance = airResonanceText(v.resonance);
        shown.note = RIGID_BOX_NOTE;
    }
    return shown;
}

}  // namespace bowlyn
