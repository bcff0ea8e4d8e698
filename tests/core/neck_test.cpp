#include "geometry/neck.h"

#include <gtest/gtest.h>

#include "neck_test_support.h"

namespace bowlyn {
namespace {

using testing::NeckSteps;

TEST(Neck, ArchtopBridgeNutAndFrets) {
    NeckSteps t;
    testing::setArchtopNeck(t.params);
    ASSERT_EQ(testing::messageOf(placeNeck(t.params, t.neck)), STATUS_OK);
    EXPECT_EQ(t.neck.treble.bridgeY, 9.513765f);
    EXPECT_EQ(t.neck.treble.nutY, 34.513763f);
    EXPECT_EQ(fretY(t.neck.treble, 0), t.neck.treble.nutY);
    EXPECT_EQ(fretY(t.neck.treble, 14), 20.65f);  // the joining fret sits on the neck end
    EXPECT_EQ(fretY(t.neck.treble, 12), 22.013765f);
    EXPECT_EQ(fretY(t.neck.treble, 1), 33.110622f);
}

TEST(Neck, BridgeCheckBoundaries) {
    struct Case {
        float scale;
        int32_t fret;
        bool passes;
    };
    // Equality with the tail end or the neck end passes; beyond either fails,
    // as does a quotient that is not a number.
    const Case cases[] = {
        {0.0f, 14, true},            // bridge on the neck end
        {-1.0f, 14, false},          // bridge beyond the neck end
        {20.0f, 0, true},            // bridge on the tail end
        {20.5f, 0, false},           // bridge beyond the tail end
        {40.0f, 12, true},           // bridge on the tail end: 20 = 40 / 2
        {0.0f, -2000000000, false},  // 0 / 0
    };
    for (const Case& c : cases) {
        NeckSteps t;
        t.params.bodyLength = 20.0f;
        t.params.scaleLength = c.scale;
        t.params.neckJoinsAtFret = c.fret;
        const std::optional<Problem> problem = placeNeck(t.params, t.neck);
        EXPECT_EQ(!problem, c.passes) << c.scale << " at fret " << c.fret;
        if (problem) {
            EXPECT_EQ(problem->check, Check::BridgeOffBody);
            EXPECT_EQ(problem->message,
                      "Problem: With the scale length and neck-joins-body-at-fret specified, the "
                      "bridge would be located off the end of the instrument.");
        }
    }
}

TEST(Neck, TaperFromStringSpacingTakesDiametersInInches) {
    DesignParameters p;
    p.taperType = STRINGSPACING;
    p.nutWidth = 1.75f;
    p.bridgeStringSpacing = 2.047f;
    p.stringSetback = 0.094f;
    p.firstStringDiameter = 0.011f;
    p.lastStringDiameter = 0.05f;
    float width = 0;
    int32_t fret = 0;
    computeTaper(p, width, fret);
    EXPECT_FLOAT_EQ(width, 2.00775f);
    EXPECT_EQ(fret, 12);

    // The same entries in a centimetre design: only the diameters convert.
    p.units = UNITS_CM;
    computeTaper(p, width, fret);
    float atBridge = 2.0f * 0.094f + 2.047f + 0.02794f / 2 + 0.127f / 2;
    EXPECT_FLOAT_EQ(width, (atBridge - 1.75f) / 2 + 1.75f);
    EXPECT_EQ(fret, 12);

    p.taperType = TAPERTYPEBOARDWIDTH;
    p.boardWidthAtFret = 2.125f;
    p.boardWidthFret = 9;
    computeTaper(p, width, fret);
    EXPECT_EQ(width, 2.125f);
    EXPECT_EQ(fret, 9);
}

TEST(Neck, BridgeMarkIsTwoInchesEitherSide) {
    for (DesignUnits units : {UNITS_INCH, UNITS_CM}) {
        NeckSteps t;
        t.params.units = units;
        t.neck.treble.bridgeY = 9.5f;
        drawBridgeMark(t.drawing, t.params, t.neck);
        auto lines = t.recorded(StrokeKind::Line, Layer::Reflines);
        ASSERT_EQ(lines.size(), 2u);
        float reach = units == UNITS_CM ? 5.08f : 2.0f;
        EXPECT_EQ(lines[0].v[2], reach);
        EXPECT_EQ(lines[1].v[2], -reach);
        EXPECT_EQ(lines[0].v[1], 9.5f);
    }
}

}  // namespace
}  // namespace bowlyn
