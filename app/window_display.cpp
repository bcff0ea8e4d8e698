#include "app/window_display.h"

#include "app/depth_display.h"
#include "app/drawing_area.h"
#include "app/gtk_form.h"
#include "app/measurement_texts.h"
#include "derive/pass_report.h"
#include "geometry/pass_texts.h"
#include "model/output_table.h"

namespace bowlyn {
namespace {

// Texts into the outputs of one kind, in the table's order.
template <size_t N>
void showAll(GtkForm& form, OutputKind kind, const std::array<std::string, N>& texts) {
    const std::vector<int> labels = outputsOf(kind);
    for (size_t i = 0; i < N && i < labels.size(); ++i)
        form.setOutput(labels[i], texts[i]);
}

void showAir(GtkForm& form, const AirDisplay& air) {
    form.setOutput(outputs::AIR_VOLUME, air.volume);
    form.setOutput(outputs::AIR_RESONANCE, air.resonance);
    form.setOutput(outputs::AIR_NOTE, air.note);
}

}  // namespace

void WindowDisplay::showDesign(const Design& design) {
    form_.showDesign(design);
}

void WindowDisplay::showPass(const PassResult& pass, const Design& design) {
    const PassReport report = reportPass(pass, design);
    form_.setOutput(outputs::STATUS, statusText(pass));
    form_.markFields(report.problem ? report.problem->fields : FieldSet{});
    showAll(form_, OutputKind::Derived, derivedValueTexts(report.derived));
    drawing_.show();
    showAll(form_, OutputKind::Measurement, measurementTexts(report.measured));
    const AirDisplay air = airDisplay(report);
    showAir(form_, air);
    if (!air.problem.empty()) {
        form_.setOutput(outputs::STATUS, air.problem);
        form_.markFields(air.problemFields);
    }
}

void WindowDisplay::showBlank() {
    form_.setOutput(outputs::STATUS, STATUS_OK);
    form_.markFields(FieldSet{});
    drawing_.show();
    showAll(form_, OutputKind::Derived, derivedValueTexts(DerivedValues{}));
    showAll(form_, OutputKind::Measurement, measurementTexts(std::nullopt));
    showAir(form_, AirDisplay{});
}

void WindowDisplay::showStatus(const std::string& text) {
    form_.setOutput(outputs::STATUS, text);
}

void WindowDisplay::startEditing() {
    form_.setNotebookPage(0);
    // Typing goes into the body length first, as after start-up.
    form_.focus(field(fields::BODY_LENGTH).widgets.front());
}

}  // namespace bowlyn
