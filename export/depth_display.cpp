#include "export/depth_display.h"

#include <charconv>

#include "derive/measurements.h"
#include "derive/solved_design.h"
#include "geometry/document.h"
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
    if (!m.problem.empty() || !m.depthProblem.empty()) {
        show(doc.form, " ", " ", m.problem.empty() ? m.depthProblem : " ");
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
