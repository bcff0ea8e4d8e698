#include "export/depth_display.h"

#include <charconv>

#include "derive/measurements.h"
#include "derive/solved_design.h"
#include "geometry/document.h"
#include "geometry/pass_display.h"
#include "model/field_table.h"
#include "model/form.h"

namespace bowlyn {
namespace {

std::string fixed(double v, int decimals) {
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string("?");
}

void show(Form& form, const std::string& volume, const std::string& resonance,
          const std::string& note) {
    form.setText(AIR_VOLUME_LABEL, volume);
    form.setText(AIR_RESONANCE_LABEL, resonance);
    form.setText(AIR_NOTE_LABEL, note);
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

// A depth that cannot be used is a problem as the body's are: its message in
// the status line and beneath the section, its entry marked and its tab in
// front. The outline it does not concern stays drawn.
void showDepthProblem(Document& doc, const DepthSettings& depth, const std::string& problem) {
    const bool typed = depth.problemField != 0;
    const std::string message =
        typed ? windowName(depth.problemField) + " " + depth.problemReason : problem;
    show(doc.form, " ", " ", message);
    doc.form.setText(STATUS_LABEL, "Problem: " + message);
    markProblemFields(doc.form,
                      typed ? FieldSet{depth.problemField}
                            : FieldSet{fields::BODY_DEPTH_AT_TAIL, fields::BODY_DEPTH_AT_NECK});
}

}  // namespace

std::string airVolumeText(double volume, const char* unitName, double litres) {
    return fixed(volume, 1) + " " + unitName + "\xC2\xB3 (" + fixed(litres, 2) + " litres)";
}

std::string airResonanceText(double hertz) {
    return "about " + fixed(hertz, 0) + " Hz";
}

void showAirMeasurements(Document& doc, bool complete) {
    const std::optional<SolvedDesign> solved =
        complete ? solvedDesign(doc) : std::optional<SolvedDesign>();
    if (!solved) {
        show(doc.form, " ", " ", " ");
        return;
    }
    const MeasureResult m = measureDesign(*solved, std::nullopt);
    if (!m.problem.empty()) {
        show(doc.form, " ", " ", " ");
        return;
    }
    if (!m.depthProblem.empty()) {
        showDepthProblem(doc, solved->depth, m.depthProblem);
        return;
    }
    const OutlineMeasurements& v = m.values;
    if (!v.hasVolume) {
        show(doc.form, " ", " ", " ");
        return;
    }
    if (!v.hasResonance) {
        show(doc.form, airVolumeText(v.volume, unitName(v.unit), v.litres), " ", " ");
        return;
    }
    show(doc.form, airVolumeText(v.volume, unitName(v.unit), v.litres),
         airResonanceText(v.resonance), RIGID_BOX_NOTE);
}

}  // namespace bowlyn
