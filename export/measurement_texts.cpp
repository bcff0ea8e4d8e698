#include "export/measurement_texts.h"

#include "derive/measurements.h"
#include "formats/export_numbers.h"
#include "geometry/document.h"
#include "model/form.h"

namespace bowlyn {

const std::array<const char*, 5> measurementLabels = {"labelPerimeterData", "labelAreaData",
                                                      "labelLengthData", "labelWidthData",
                                                      "labelFretboardAreaData"};

namespace {

constexpr const char* BLANK = " ";

std::string length(double value, const char* unit) {
    return fixedText(value, 2) + " " + unit;
}

std::string area(double value, const char* unit) {
    return fixedText(value, 2) + " " + unit + "\u00b2";
}

}  // namespace

std::array<std::string, 5> measurementTexts(const std::optional<SolvedDesign>& design) {
    std::array<std::string, 5> texts;
    texts.fill(BLANK);
    if (!design)
        return texts;
    const MeasureResult m = measureDesign(*design, std::nullopt);
    if (!m.problem.empty())
        return texts;
    const OutlineMeasurements& v = m.values;
    const char* unit = unitName(v.unit);
    texts = {length(v.perimeter, unit), area(v.area, unit), length(v.length, unit),
             length(v.width, unit), v.hasFretboard ? area(v.fretboardArea, unit) : BLANK};
    return texts;
}

void showMeasurements(Document& doc, bool complete) {
    const auto texts = measurementTexts(complete ? solvedDesign(doc) : std::nullopt);
    for (size_t i = 0; i < texts.size(); ++i)
        doc.form.setText(measurementLabels[i], texts[i]);
}

}  // namespace bowlyn
