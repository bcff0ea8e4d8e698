#include "geometry/outline_probe.h"

#include <gtest/gtest.h>

#include "export_test_support.h"
#include "test_document.h"

namespace bowlyn::testing {
namespace {

// What the ruler and the readout catch on the OM (inches): its waist is 9.38
// wide with a radius of 2.36, 12.68 from the tail end; the lower bout 15 wide.
TEST(OutlineProbe, SnapsAndNamesWhatIsUnderThePointerOnTheOm) {
    const auto t = presetAfterPass(presetRows::OM);
    const SolvedDesign solved = solvedOrFail(*t);
    const OutlineProbe probe(solved.body, solved.soundHole);
    const BodyOutline& o = solved.body.outline;
    constexpr double NEAR = 0.05;  // a few pixels of the fitted view

    struct Case {
        double x, y;
        SnapKind kind;
        double snappedX, snappedY;
    };
    const Case cases[] = {
        // The waist arc's centre, outside the body on both sides.
        {o.waistArc.cx + 0.03, o.waistArc.cy - 0.02, SnapKind::Centre, o.waistArc.cx,
         o.waistArc.cy},
        {-o.waistArc.cx, o.waistArc.cy + 0.04, SnapKind::Centre, -o.waistArc.cx, o.waistArc.cy},
        // Where the lower tangent leaves the lower bout's secondary arc.
        {o.lowerTangent.x1 - 0.02, o.lowerTangent.y1, SnapKind::Tangent, o.lowerTangent.x1,
         o.lowerTangent.y1},
        // The widest point of the lower bout, where its secondary arc takes
        // over; the narrowest of the waist; the tail end.
        {7.48, o.lowerBoutArc.cy + 0.03, SnapKind::Tangent, 7.5, o.lowerBoutArc.cy},
        {-4.72, 12.7, SnapKind::Extreme, -4.69, o.waistArc.cy},
        {0.01, 0.02, SnapKind::End, 0.0, 0.0},
        // Nothing else near: the centre line, straight across from the pointer.
        {-0.04, 8.0, SnapKind::CentreLine, 0.0, 8.0},
    };
    for (const Case& c : cases) {
        const std::optional<SnapPoint> s = probe.snap(c.x, c.y, NEAR);
        ASSERT_TRUE(s.has_value()) << c.x << ", " << c.y;
        EXPECT_EQ(s->kind, c.kind) << c.x << ", " << c.y;
        EXPECT_NEAR(s->x, c.snappedX, 1e-6) << c.x << ", " << c.y;
        EXPECT_NEAR(s->y, c.snappedY, 1e-6) << c.x << ", " << c.y;
    }
    EXPECT_FALSE(probe.snap(3.0, 8.0, NEAR).has_value());

    // Two clicks at the widest points measure the lower bout.
    const double y = o.lowerBoutArc.cy;
    const auto left = probe.snap(-7.52, y, NEAR), right = probe.snap(7.51, y + 0.01, NEAR);
    ASSERT_TRUE(left && right);
    EXPECT_EQ(rulerText(left->x, left->y, right->x, right->y, UNITS_INCH),
              "15.000 in  381.0 mm  0.0\u00b0");
    EXPECT_EQ(rulerText(0, 0, -1, -1e-9, UNITS_CM), "1.00 cm  10.0 mm  180.0\u00b0");

    // Hovering over the waist on either side names its arc, and over the
    // neck flat the line.
    for (double side : {1.0, -1.0}) {
        const auto waist = probe.pieceAt(side * 4.70, 12.68, NEAR);
        ASSERT_TRUE(waist.has_value());
        EXPECT_EQ(pieceText(*waist, UNITS_INCH), side > 0 ? "waist arc\nR 2.36 at 7.05, 12.68 in"
                                                          : "waist arc\nR 2.36 at -7.05, 12.68 in");
    }
    const auto flat = probe.pieceAt(0.5, solved.body.bodyLength + 0.01, NEAR);
    ASSERT_TRUE(flat.has_value());
    EXPECT_EQ(pieceText(*flat, UNITS_INCH), "neck flat\nlength 1.25 in");
    EXPECT_FALSE(probe.pieceAt(2.0, 8.0, NEAR).has_value());

    // Without a complete outline there is only the centre line.
    EXPECT_EQ(OutlineProbe().snap(0.02, 3.0, NEAR)->kind, SnapKind::CentreLine);
    EXPECT_FALSE(OutlineProbe().pieceAt(0.0, 3.0, NEAR).has_value());
}

}  // namespace
}  // namespace bowlyn::testing
