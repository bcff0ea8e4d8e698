#include "model/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace bowlyn {
namespace {

TEST(ReadNumber, NumericPrefixRule) {
    EXPECT_DOUBLE_EQ(readNumber("20.65"), 20.65);
    EXPECT_DOUBLE_EQ(readNumber("  .094"), 0.094);
    EXPECT_DOUBLE_EQ(readNumber("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(readNumber("1,TRUE"), 1.0);
    EXPECT_DOUBLE_EQ(readNumber(" "), 0.0);
    EXPECT_DOUBLE_EQ(readNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(readNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(readNumber("-1.5e2"), -150.0);
    EXPECT_DOUBLE_EQ(readNumber("2D3"), 2000.0);
    EXPECT_DOUBLE_EQ(readNumber("2e"), 2.0);
    EXPECT_DOUBLE_EQ(readNumber("-"), 0.0);
    EXPECT_DOUBLE_EQ(readNumber("\t5"), 0.0);  // only spaces are skipped
}

TEST(ReadNumber, RadixForms) {
    EXPECT_DOUBLE_EQ(readNumber("&H1F"), 31.0);
    EXPECT_DOUBLE_EQ(readNumber("&hff"), 255.0);
    EXPECT_DOUBLE_EQ(readNumber("&O17"), 15.0);
    EXPECT_DOUBLE_EQ(readNumber("&17"), 15.0);
    EXPECT_DOUBLE_EQ(readNumber("&B101"), 5.0);
    EXPECT_DOUBLE_EQ(readNumber("&b102"), 2.0);
    EXPECT_DOUBLE_EQ(readNumber("&X1"), 0.0);
    EXPECT_DOUBLE_EQ(readNumber("&"), 0.0);
}

TEST(ReadNumber, HugeExponentsStayDefined) {
    EXPECT_TRUE(std::isinf(readNumber("1e400")));
    EXPECT_EQ(readNumber("1e-400"), 0.0);
    EXPECT_TRUE(std::isinf(parseDimension("1e39")));
}

TEST(ParseDimension, FractionsAndPlainNumbers) {
    EXPECT_FLOAT_EQ(parseDimension("20.65"), 20.65f);
    EXPECT_FLOAT_EQ(parseDimension("1 3/4"), 1.75f);
    EXPECT_FLOAT_EQ(parseDimension("3/4"), 0.75f);
    EXPECT_FLOAT_EQ(parseDimension("2 1/2"), 2.5f);
    EXPECT_FLOAT_EQ(parseDimension(" 3/4"), 0.75f);
    EXPECT_FLOAT_EQ(parseDimension("3/4 x"), 0.75f);
    EXPECT_FLOAT_EQ(parseDimension("1/2 3"), 0.5f + 0.0f);
    EXPECT_TRUE(std::isinf(parseDimension("3/0")));
}

// The one reading of a number that must be nothing else, for the depths, the
// mould's distance beside an export's name and the command line's options:
// the window and the command line refuse the same texts.
TEST(ReadWholeNumber, TheWholeTextIsOneNumberOrFraction) {
    const struct {
        const char* text;
        double value;
    } read[] = {{" 20\t", 20.0},     {"4 7/8", 4.875}, {"+2.5D0", 2.5}, {".5", 0.5},
                {"1e400", INFINITY}, {"-3", -3.0},     {"0.1", 0.1}};
    for (const auto& r : read)
        EXPECT_EQ(readWholeNumber(r.text), r.value) << r.text;
    for (const char* notANumber :
         {"2,5", "nan", "inf", "abc", "4abc", "1/0 x", "&H10", "0/0", "- 1"})
        EXPECT_TRUE(std::isnan(readWholeNumber(notANumber).value_or(0.0))) << notANumber;
    EXPECT_EQ(readWholeNumber(" \t "), std::nullopt);
}

TEST(RoundToInt32, HalvesToEvenAndSaturates) {
    EXPECT_EQ(roundToInt32(14.5), 14);
    EXPECT_EQ(roundToInt32(15.5), 16);
    EXPECT_EQ(roundToInt32(-2.5), -2);
    EXPECT_EQ(roundToInt32(1e12), 2147483647);
    EXPECT_EQ(roundToInt32(-1e40), -2147483647 - 1);
    EXPECT_EQ(roundToInt32(NAN), 0);
}

TEST(RoundTo, DecimalPlaces) {
    EXPECT_EQ(roundTo(-1.26f, 1), -1.2f);
    EXPECT_EQ(roundTo(-1.25f, 1), -1.2f);
    EXPECT_EQ(roundTo(0.0f, 3), 0.0f);
    EXPECT_EQ(roundTo(1.005f, 2), 1.0f);  // the single lies just below 1.005
    EXPECT_EQ(roundTo(2.345f, 2), 2.35f);
    EXPECT_EQ(roundTo(15.7446f, 2), 15.74f);
    // Places beyond what the 32-bit factor holds are limited, not undefined.
    EXPECT_EQ(roundTo(1.5f, 12), 1.5f);
    EXPECT_EQ(roundTo(1.5f, -3), 2.0f);
}

TEST(NumberText, FormatsLikePrintfInTheCLocale) {
    EXPECT_EQ(singleToText(24.64f), "24.64");
    EXPECT_EQ(singleToText(6.0f), "6");
    EXPECT_EQ(singleToText(-1.5f), "-1.5");
    EXPECT_EQ(singleToText(12.3456789f), "12.34568");
    EXPECT_EQ(singleToText(1e-5f), "1e-05");
    EXPECT_EQ(doubleToText(0.7), "0.7");
    EXPECT_EQ(doubleToText(static_cast<double>(1.234f)), "1.233999967575073");
}

TEST(NumberText, IgnoresACommaLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 not generated";
    EXPECT_EQ(singleToText(3.5f), "3.5");
    EXPECT_DOUBLE_EQ(readNumber("24.64"), 24.64);
    EXPECT_FLOAT_EQ(parseDimension("1 3/4"), 1.75f);
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace bowlyn
