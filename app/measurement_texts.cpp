#include "app/measurement_texts.h"

#include "formats/export_numbers.h"

namespace bowlyn {
namespace {

constexpr const char* BLANK = " ";

std::string length(double value, const char* unit) {
    return fixedText(value, 2) + " " + unit;
}

std::string area(double value, const char* unit) {
    return fixedText(value, 2) + " " + unit + "\u00b2";
}

}  // namespace

std::array<std::string, 5> measurementTexts(const std::optional<MeasureResult>& measured) {
    std::array<std::string, 5> texts;
    texts.fill(BLANK);
    if (!measured || !measured->problem.empty())
        return texts;
    const OutlineMeasurements& v = measured->values;
    const char* unit = unitName(v.unit);
    texts = {length(v.perimeter, unit), area(v.area, unit), length(v.length, unit),
             length(v.width, unit), v.hasFretboard ? area(v.fretboardArea, unit) : BLANK};
    return texts;
}

}  // namespace bowlyn
