#include "model/unit_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "derive/measurements.h"
#include "export_test_support.h"
#include "model/number_text.h"
#include "model_test_support.h"
#include "test_document.h"
#include "test_seed.h"

namespace bowlyn::testing {
namespace {

OutlineMeasurements millimetres(TestDocument& t) {
    t.session.runPass();
    const MeasureResult m = measureDesign(solvedOrFail(t), LengthUnit::Millimetre);
    EXPECT_EQ(m.problem, "");
    return m.values;
}

void expectSameOutline(const OutlineMeasurements& a, const OutlineMeasurements& b, double tolerance,
                       const std::string& what) {
    expectRelative(a.perimeter, b.perimeter, tolerance, what + " perimeter");
    expectRelative(a.area, b.area, tolerance, what + " area");
    expectRelative(a.length, b.length, tolerance, what + " length");
    expectRelative(a.width, b.width, tolerance, what + " width");
    expectRelative(a.fretboardArea, b.fretboardArea, tolerance, what + " fretboard area");
}

// Every value but the lengths in the design's unit, by the field table.
void expectSameNonLengths(const DesignParameters& a, const DesignParameters& b,
                          const std::string& what) {
    for (int k = 1; k <= FIELD_COUNT; ++k) {
        const FieldDef& def = field(k);
        if (!isDesignLength(def.kind) && def.kind != FieldKind::Units) {
            EXPECT_TRUE(sameValue(fieldValue(a, k), fieldValue(b, k))) << what << ": " << def.label;
        }
    }
}

// A conversion changes the numbers, never the instrument: each preset in the
// other unit measures the same in millimetres, and converted back it holds
// the values it started with.
TEST(UnitConversion, EveryPresetMeasuresTheSameInTheOtherUnitAndBack) {
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        const auto t = presetAfterPass(row);
        const std::string name = presetName(row);
        const DesignParameters before = t->design.params;
        const OutlineMeasurements mm = millimetres(*t);
        const DesignUnits other = before.units == UNITS_INCH ? UNITS_CM : UNITS_INCH;

        ASSERT_TRUE(convertDesignUnits(t->design, other)) << name;
        EXPECT_EQ(t->design.params.units, other);
        expectSameNonLengths(t->design.params, before, name);
        // The cutaway's meeting points are found in single precision, so the
        // same cutaway solved in other numbers lands up to 0.02 mm away.
        expectSameOutline(millimetres(*t), mm, before.hasCutaway ? 2e-5 : 1e-6, name);

        EXPECT_FALSE(convertDesignUnits(t->design, other)) << name;
        ASSERT_TRUE(convertDesignUnits(t->design, before.units)) << name;
        for (int k = 1; k <= FIELD_COUNT; ++k)
            EXPECT_TRUE(sameValue(fieldValue(t->design.params, k), fieldValue(before, k)))
                << name << k;
        expectSameOutline(millimetres(*t), mm, 0.0, name + " back");
    }
}

// The rule for the converted texts: the exact conversion to the fewest
// decimals within the tolerance, so a value typed in one unit comes back as
// typed.
TEST(UnitConversion, TextsHaveTheFewestDecimalsThatKeepTheExactValue) {
    EXPECT_EQ(convertedLengthText("15.5", UNITS_INCH, UNITS_CM), "39.37");
    EXPECT_EQ(convertedLengthText("50", UNITS_CM, UNITS_INCH), "19.68504");
    EXPECT_EQ(convertedLengthText("19.68504", UNITS_INCH, UNITS_CM), "50");
    EXPECT_EQ(convertedLengthText("1 3/4", UNITS_INCH, UNITS_CM), "4.445");
    EXPECT_EQ(convertedLengthText("-.094", UNITS_INCH, UNITS_CM), "-0.23876");
    for (const char* same : {" ", "", "0", "abc", "1e39"})
        EXPECT_EQ(convertedLengthText(same, UNITS_INCH, UNITS_CM), same);

    std::mt19937 random(test::randomTestSeed());
    std::uniform_real_distribution<double> magnitude(-15.0, 18.0);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::pow(10.0, magnitude(random)) * (i % 5 == 0 ? -1.0 : 1.0);
        const std::string text = typedNumberText(value);
        const double back = readNumber(text);
        ASSERT_LE(std::fabs(back - value), CONVERTED_TEXT_TOLERANCE * std::fabs(value)) << text;
        const size_t point = text.find('.');
        if (point == std::string::npos || text.find('e') != std::string::npos)
            continue;
        ASSERT_NE(text.back(), '0') << text;
        // One decimal fewer would not do.
        const std::string shorter = text.substr(0, text.size() - 1);
        const double cut = std::round(value * std::pow(10.0, shorter.size() - point - 1)) /
                           std::pow(10.0, shorter.size() - point - 1);
        ASSERT_GT(std::fabs(cut - value), CONVERTED_TEXT_TOLERANCE * std::fabs(value)) << text;
    }
}

}  // namespace
}  // namespace bowlyn::testing
