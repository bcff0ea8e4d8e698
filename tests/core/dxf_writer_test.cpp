#include "formats/dxf_writer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "render/drawing.h"

namespace bowlyn {
namespace {

Stroke stroke(StrokeKind kind, Layer layer, std::initializer_list<float> values) {
    Stroke s;
    s.kind = kind;
    s.layer = layer;
    int i = 0;
    for (float v : values)
        s.v[i++] = v;
    return s;
}

std::string text(const StrokeList& list) {
    std::optional<std::string> t = plainDxfText(list);
    EXPECT_TRUE(t.has_value());
    return t.value_or("");
}

// One stroke as the plain export writes it.
std::string entityText(const Stroke& s) {
    DxfWriter out = DxfWriter::plain();
    EXPECT_TRUE(out.entity(s));
    return out.take();
}

TEST(DxfWriter, OneLineGivesTheTwentyFourLineFile) {
    EXPECT_EQ(text({stroke(StrokeKind::Line, Layer::Body, {1, 2, 3, 4})}),
              " 0\r\nSECTION\r\n 2\r\nENTITIES\r\n"
              " 0\r\nLINE\r\n 8\r\nbody\r\n"
              " 10\r\n 1\r\n 20\r\n 2\r\n 30\r\n 0\r\n"
              " 11\r\n 3\r\n 21\r\n 4\r\n 31\r\n 0\r\n"
              " 0\r\nENDSEC\r\n 0\r\nEOF\r\n");
}

TEST(DxfWriter, EachKindWithItsGroupCodes) {
    EXPECT_EQ(entityText(stroke(StrokeKind::Point, Layer::Body, {0.5f, -7.25f})),
              " 0\r\nPOINT\r\n 8\r\nbody\r\n 10\r\n 0.5\r\n 20\r\n-7.25\r\n 30\r\n 0\r\n");
    const float pi = PI_SINGLE;
    EXPECT_EQ(entityText(stroke(StrokeKind::Arc, Layer::Frets, {1, 2, 3, pi / 2, pi})),
              " 0\r\nARC\r\n 8\r\nfrets\r\n 10\r\n 1\r\n 20\r\n 2\r\n 30\r\n 0\r\n"
              " 40\r\n 3\r\n 50\r\n 90\r\n 51\r\n 180\r\n");
    EXPECT_EQ(entityText(stroke(StrokeKind::Circle, Layer::Strings, {-1.5f, 13.5f, 1.94f})),
              " 0\r\nCIRCLE\r\n 8\r\nstrings\r\n 10\r\n-1.5\r\n 20\r\n 13.5\r\n 30\r\n 0\r\n"
              " 40\r\n 1.94\r\n");
}

TEST(DxfWriter, ValuesAsSevenSignificantDigits) {
    EXPECT_EQ(dxfValue(3.5f), " 3.5");
    EXPECT_EQ(dxfValue(12.3456789f), " 12.34568");
    EXPECT_EQ(dxfValue(-2.25f), "-2.25");
    EXPECT_EQ(dxfValue(0.0f), " 0");
    EXPECT_EQ(dxfValue(-0.0f), "-0");
    EXPECT_EQ(dxfValue(6.0f), " 6");
    EXPECT_EQ(dxfValue(1234567.0f), " 1234567");
    EXPECT_EQ(dxfValue(12345678.0f), " 1.234568e+07");
    EXPECT_EQ(dxfValue(1e20f), " 1e+20");
    EXPECT_EQ(dxfValue(-1e-5f), "-1e-05");
    EXPECT_EQ(dxfValue(0.0001f), " 0.0001");
    EXPECT_EQ(dxfValue(3e38f), " 3e+38");
    // The single nearest 0.1 is a little above it; seven digits hide that.
    EXPECT_EQ(dxfValue(0.1f), " 0.1");
    EXPECT_EQ(dxfValue(24.64f), " 24.64");
}

TEST(DxfWriter, MirroredCentreLineWritesMinusZero) {
    Drawing drawing;
    drawing.view.fit(20, 8);
    drawing.drawLine(styleOutline, 0, 1, 2.5f, 1, Side::Both, Layer::Body);
    std::string t = text(drawing.strokes);
    // As drawn first, then mirrored with every x negated.
    size_t first = t.find(" 10\r\n 0\r\n");
    size_t second = t.find(" 10\r\n-0\r\n");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_NE(t.find(" 11\r\n-2.5\r\n"), std::string::npos);
}

TEST(DxfWriter, WritesOnlyWhatWasRecorded) {
    Drawing drawing;
    drawing.drawPoint(styleOutline, 1, 1, PointMarker::Cross, Side::AsPassed, Layer::None);
    drawing.drawCircle(styleOutline, 0, 0, 1, Side::AsPassed, Layer::Body, RECORD_ONLY);
    drawing.drawLine(styleCentreLine, 0, -1, 0, 9, Side::AsPassed, Layer::Reflines,
                     StrokeUse::Shown);
    std::string t = text(drawing.strokes);
    EXPECT_EQ(t.find("POINT"), std::string::npos);
    EXPECT_NE(t.find("CIRCLE"), std::string::npos);
    EXPECT_EQ(t.find("LINE"), std::string::npos);
}

TEST(DxfWriter, RefusesNumbersThatAreNotFinite) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    DxfWriter out = DxfWriter::plain();
    EXPECT_FALSE(out.entity(stroke(StrokeKind::Line, Layer::Body, {0, nan, 1, 1})));
    EXPECT_FALSE(out.entity(stroke(StrokeKind::Arc, Layer::Body, {0, 0, 1, 0, inf})));
    EXPECT_FALSE(out.entity(stroke(StrokeKind::Circle, Layer::Body, {0, 0, -inf})));
    EXPECT_FALSE(out.entity(stroke(StrokeKind::Point, Layer::None, {0, 0})));  // no layer name
    // An angle too large for the degrees a file records.
    EXPECT_FALSE(out.entity(stroke(StrokeKind::Arc, Layer::Body, {0, 0, 1, 0, 3e38f})));
    EXPECT_EQ(out.take(), "");

    EXPECT_FALSE(plainDxfText({stroke(StrokeKind::Line, Layer::Body, {0, 0, 1, 1}),
                               stroke(StrokeKind::Circle, Layer::Body, {0, 0, nan})})
                     .has_value());
}

TEST(DxfWriter, CommaLocaleStillWritesPoints) {
    std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 not installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 3.5);
    const float toRadians = PI_SINGLE / 180.0f;
    std::string t = text(
        {stroke(StrokeKind::Arc, Layer::Body, {1.5f, -2.25f, 0.75f, 0.5f, 187.25f * toRadians})});
    std::setlocale(LC_ALL, saved.c_str());
    ASSERT_STREQ(probe, "3,5");  // the locale really uses commas
    EXPECT_EQ(t.find(','), std::string::npos);
    EXPECT_NE(t.find(" 10\r\n 1.5\r\n 20\r\n-2.25\r\n"), std::string::npos);
    EXPECT_NE(t.find(" 51\r\n 187.25"), std::string::npos);
}

}  // namespace
}  // namespace bowlyn
