#include "geometry/fretboard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "geometry/neck.h"
#include "geometry/strings.h"
#include "neck_test_support.h"

namespace bowlyn {
namespace {

using testing::NeckSteps;

// Runs the fretboard steps of a pass: checks, placement, edges, drawing.
void drawBoard(NeckSteps& t) {
    ASSERT_EQ(testing::messageOf(checkFretboard(t.params, t.neck)), STATUS_OK);
    ASSERT_EQ(testing::messageOf(placeNeck(t.params, t.neck)), STATUS_OK);
    ASSERT_EQ(testing::messageOf(checkStrings(t.params, t.courses)), STATUS_OK);
    solveFretboardEdges(t.neck, t.params);
    drawFretboard(t.drawing, t.params, t.neck);
    drawStrings(t.drawing, t.params, t.neck, t.courses);
    drawFretMarkers(t.drawing, t.params, t.neck, t.courses);
}

struct CheckCase {
    const char* what;
    std::function<void(DesignParameters&)> breakIt;
    const char* message;
};

TEST(FretboardChecks, EachCheckReportsItsMessage) {
    auto stringSpacing = [](DesignParameters& p) {
        p.taperType = STRINGSPACING;
        p.firstStringDiameter = 0.011f;
        p.lastStringDiameter = 0.05f;
        p.stringSetback = 0.094f;
        p.bridgeStringSpacing = 2.047f;
    };
    const CheckCase cases[] = {
        {"scale", [](DesignParameters& p) { p.scaleLength = 0; },
         "Problem: To draw a fretboard, the scale length must be specified. Value must be > 0."},
        {"joins at", [](DesignParameters& p) { p.neckJoinsAtFret = -1; },
         "Problem: To draw a fretboard, the value for the fret number at which the neck joins the "
         "body must be specified. Value must be > 0 (and is usually 14 or 12)."},
        {"no frets", [](DesignParameters& p) { p.fretCount = 0; },
         "Problem: To draw a fretboard, the total number of frets must be specified. Value must "
         "be > 0 (and is usually 18 to 24)."},
        {"negative frets", [](DesignParameters& p) { p.fretCount = static_cast<uint32_t>(-3); },
         "Problem: To draw a fretboard, the total number of frets must be specified. Value must "
         "be > 0 (and is usually 18 to 24)."},
        {"absurd frets", [](DesignParameters& p) { p.fretCount = 100; },
         "Problem: To draw a fretboard, the total number of frets must be specified. Value must "
         "be > 0 (and is usually 18 to 24)."},
        {"board thickness", [](DesignParameters& p) { p.fretboardThickness = 0; },
         "Problem: To draw a fretboard, the fretboard thickness must be specified. Value must be "
         "> 0."},
        {"nut width", [](DesignParameters& p) { p.nutWidth = -1; },
         "Problem: To draw a fretboard, the nut width must be specified. Value must be > 0."},
        {"nut thickness", [](DesignParameters& p) { p.nutThickness = 0; },
         "Problem: To draw a fretboard, the thickness of the nut must be specified. Value must be "
         "> 0."},
        {"board width", [](DesignParameters& p) { p.boardWidthAtFret = 0; },
         "Problem: To draw a fretboard, both the fingerboard width and the number of the fret at "
         "which that width is measured must be specified. Values must be > 0."},
        {"board width fret", [](DesignParameters& p) { p.boardWidthFret = 0; },
         "Problem: To draw a fretboard, both the fingerboard width and the number of the fret at "
         "which that width is measured must be specified. Values must be > 0."},
        {"last diameter",
         [&](DesignParameters& p) {
             stringSpacing(p);
             p.lastStringDiameter = 0;
         },
         "Problem: To draw a fretboard, the diameters of both the first and last strings must be "
         "specified. Values must be > 0."},
        {"setback",
         [&](DesignParameters& p) {
             stringSpacing(p);
             p.stringSetback = 0;
         },
         "Problem: To draw a fretboard, the string setback must be specified. Value must be > 0."},
        {"bridge spacing",
         [&](DesignParameters& p) {
             stringSpacing(p);
             p.bridgeStringSpacing = 0;
         },
         "Problem: To draw a fretboard, the string spacing (first to last) at the bridge must be "
         "specified. Value must be > 0."},
        {"wire thickness", [](DesignParameters& p) { p.fretwireThickness = 0; },
         "Problem: To draw a fretboard, the thickness of the fretwire must be specified. Value "
         "must be > 0."},
        {"wire height", [](DesignParameters& p) { p.fretwireHeight = 0; },
         "Problem: To draw a fretboard, the height of the fretwire must be specified. Value must "
         "be > 0."},
        {"marker",
         [](DesignParameters& p) {
             p.hasMarkers = 1;
             p.markerDiameter = -0.1f;
         },
         "Problem: To draw a fretboard with dot markers, the diameter of the markers must be "
         "specified. Value must be >= 0."},
        {"side marker",
         [](DesignParameters& p) {
             p.hasMarkers = 1;
             p.sideMarkerDiameter = -0.1f;
         },
         "Problem: To drside markers must be specified. Value must be >= 0."},
        // The fan and the slots, checked only where their entries are not blank.
        {"bass scale", [](DesignParameters& p) { p.bassScaleLength = 0; },
         "Problem: To fan the frets, the bass scale length must be > 0. Leave it blank for frets "
         "square to the centre line."},
        {"bass scale no number", [](DesignParameters& p) { p.bassScaleLength = INFINITY; },
         "Problem: To fan the frets, the bass scale length must be > 0. Leave it blank for frets "
         "square to the centre line."},
        {"perpendicular fret", [](DesignParameters& p) { p.perpendicularFret = -1; },
         "Problem: To fan the frets, the perpendicular fret must be from 0 (the nut) to 99. Leave "
         "it blank for fret 12."},
        {"slot width", [](DesignParameters& p) { p.fretSlotWidth = 0; },
         "Problem: The fret slot width must be > 0. Leave it blank for a fret saw's kerf of 0.023 "
         "in."},
        {"slot inset", [](DesignParameters& p) { p.fretSlotInset = -0.01f; },
         "Problem: The fret slot inset must be >= 0 and leave the shortest slot a length > 0."},
        // Fret 1 of this board is 1.79 long: half of it leaves nothing.
        {"slot inset past the middle", [](DesignParameters& p) { p.fretSlotInset = 0.9f; },
         "Problem: The fret slot inset must be >= 0 and leave the shortest slot a length > 0."},
    };
    for (const CheckCase& c : cases) {
        NeckSteps t;
        testing::setFretboard(t.params);
        c.breakIt(t.params);
        EXPECT_EQ(testing::messageOf(checkFretboard(t.params, t.neck)), c.message) << c.what;
    }
}

TEST(FretboardChecks, PassingValues) {
    NeckSteps t;
    testing::setFretboard(t.params);
    DesignParameters& p = t.params;
    p.fretCount = 99;
    p.markerDiameter = -1.0f;  // ignored without markers
    EXPECT_EQ(testing::messageOf(checkFretboard(t.params, t.neck)), STATUS_OK);
    EXPECT_EQ(t.neck.taperWidth, 2.125f);
    EXPECT_EQ(t.neck.taperFret, 12);

    p.hasMarkers = 1;
    p.markerDiameter = 0.0f;  // a cross only
    p.sideMarkerDiameter = 0.0f;
    EXPECT_EQ(testing::messageOf(checkFretboard(t.params, t.neck)), STATUS_OK);

    NeckSteps none;
    EXPECT_EQ(testing::messageOf(checkFretboard(none.params, none.neck)),
              STATUS_OK);  // no fretboard: nothing is checked
}

// The height of the double dots, the middle of fret space 12, and the x of
// every marker point recorded there.
constexpr float DOUBLE_DOT_Y = 22.385410f;
std::vector<float> doubleDotXs(const NeckSteps& t) {
    std::vector<float> xs;
    for (const Stroke& e : t.recorded(StrokeKind::Point, Layer::Fretboard))
        if (e.v[1] == DOUBLE_DOT_Y)
            xs.push_back(e.v[0]);
    return xs;
}

TEST(Fretboard, EndMarkersAndCrown) {
    NeckSteps t;
    testing::setFretboard(t.params);
    t.params.hasMarkers = 1;
    t.params.markerDiameter = 0.25f;
    drawBoard(t);

    // The board's end lies half-way between fret 20 and the place of fret 21.
    EXPECT_EQ(fretY(t.neck.treble, 20), 17.388271f);
    EXPECT_EQ(fretY(t.neck.treble, 21), 16.946310f);
    bool endFound = false;
    for (const Stroke& e : t.recorded(StrokeKind::Line, Layer::Fretboard))
        endFound |= e.v[0] == 0.0f && e.v[1] == 17.167290f && e.v[3] == 17.167290f;
    EXPECT_TRUE(endFound);

    std::vector<float> middles;
    for (const Stroke& e : t.recorded(StrokeKind::Point, Layer::Fretboard))
        if (e.v[0] == 0.0f)
            middles.push_back(e.v[1]);
    ASSERT_EQ(middles.size(), 7u);  // spaces 3, 5, 7, 9, 15, 17, 19 up to fret 20
    EXPECT_EQ(middles[0], 31.161205f);

    EXPECT_EQ(doubleDotXs(t).size(), 2u);

    // 0.1 wide and 0.05 high: a half circle bulging away from the board.
    auto arcs = t.recorded(StrokeKind::Arc, Layer::Frets);
    ASSERT_EQ(arcs.size(), 20u);
    EXPECT_FLOAT_EQ(arcs[0].v[2], 0.05f);
    EXPECT_FLOAT_EQ(arcs[0].v[0], 9.25f);  // centre on the board face
    EXPECT_FLOAT_EQ(recordedValue(arcs[0], 3), 270.0f);
    EXPECT_FLOAT_EQ(recordedValue(arcs[0], 4), 90.0f);
}

TEST(Fretboard, MarkersFollowTheTable) {
    struct Case {
        uint32_t frets;
        size_t singles, doubleSpaces;
    };
    for (Case c : {Case{22, 8, 1}, Case{30, 8, 2}, Case{11, 4, 0}}) {
        NeckSteps t;
        testing::setFretboard(t.params);
        t.params.fretCount = c.frets;
        t.params.hasMarkers = 1;
        drawBoard(t);
        size_t centre = 0, sideDots = 0;
        for (const Stroke& e : t.recorded(StrokeKind::Point, Layer::Fretboard)) {
            if (e.v[0] == 0.0f)
                ++centre;
            if (e.v[0] == sideViewX(t.params) + 0.125f)
                ++sideDots;
        }
        EXPECT_EQ(centre, c.singles) << c.frets;
        EXPECT_EQ(sideDots, c.singles + 2 * c.doubleSpaces) << c.frets;
        // Every fret is drawn as its line and its two faces, markers or not.
        EXPECT_EQ(t.recorded(StrokeKind::Line, Layer::Frets).size(), 3 * c.frets);
    }
}

TEST(Fretboard, DoubleDotsBetweenTheOuterCourses) {
    NeckSteps t;
    DesignParameters& p = t.params;
    testing::setFretboard(p);
    p.hasMarkers = 1;
    p.markerDiameter = 0.25f;
    p.hasStrings = 1;
    p.stringCount = 6;
    p.stringsPerCourse = 0;  // read as single strings
    p.stringSetback = 0.1f;
    for (int i = 1; i <= 6; ++i)
        p.stringDiameters[i] = 0.02f;
    drawBoard(t);

    float xh = boardHalfWidthAt(t.neck.treble, DOUBLE_DOT_Y);
    float gap = (2 * xh - 2 * 0.1f - 6 * 0.02f) / 5;
    float between = xh - 0.1f - 0.02f - gap / 2;  // middle of strings 1 and 2
    const std::vector<float> xs = doubleDotXs(t);
    ASSERT_EQ(xs.size(), 2u);
    EXPECT_NEAR(xs[0], between, 1e-6);
    EXPECT_NEAR(xs[1], -between, 1e-6);
    EXPECT_EQ(p.stringsPerCourse, 1);
}

TEST(Fretboard, DoubleDotsAtAFixedInsetWithTwoCourses) {
    for (float diameter : {0.25f, 0.0f}) {
        NeckSteps t;
        DesignParameters& p = t.params;
        testing::setFretboard(p);
        p.hasMarkers = 1;
        p.markerDiameter = diameter;
        p.hasStrings = 1;
        p.stringCount = 4;
        p.stringsPerCourse = 2;
        p.courseSpacing = 0.1f;
        p.stringSetback = 0.1f;
        for (int i = 1; i <= 4; ++i)
            p.stringDiameters[i] = 0.02f;
        drawBoard(t);
        float xh = boardHalfWidthAt(t.neck.treble, DOUBLE_DOT_Y);
        float expected = diameter > 0 ? xh - 0.1875f - diameter / 2 : xh - 2 * 0.1875f;
        const std::vector<float> xs = doubleDotXs(t);
        ASSERT_EQ(xs.size(), 2u);
        EXPECT_NEAR(xs[0], expected, 1e-6);
        EXPECT_EQ(xs[1], -xs[0]);
        size_t circles = t.recorded(StrokeKind::Circle, Layer::Fretboard).size();
        EXPECT_EQ(circles, diameter > 0 ? 2u + 7u : 0u);  // the double and seven singles
    }
}

// White in every pixel of the rectangle (x0, y0)-(x1, y1), ends excluded.
bool blank(const DrawingSurface& s, int x0, int y0, int x1, int y1) {
    for (int y = y0 + 1; y < y1; ++y)
        for (int x = x0 + 1; x < x1; ++x)
            if (s.pixel(x, y) != 0xFFFFFFFFu)
                return false;
    return true;
}

TEST(Fretboard, SideViewAndFretFacesAreRecordedButNotPainted) {
    NeckSteps t;
    DesignParameters& p = t.params;
    testing::setFretboard(p);
    p.lowerBoutHalfWidth = 2.0f;  // brings the side view into the image
    p.fretwireThickness = 0.4f;   // faces well apart from the fret line
    p.hasMarkers = 1;
    p.markerDiameter = 0.25f;
    p.sideMarkerDiameter = 0.1f;
    Drawing& d = t.drawing;
    d.view.scaleX = d.view.scaleY = 16.0f;
    d.view.originX = 200.0f;
    d.view.originY = 640.0f;
    drawBoard(t);
    DrawingSurface image;
    image.paint(d.strokes, d.view);

    // The side view from x = 3 to 3.4 along the whole board: recorded, not painted.
    size_t sideLines = 0;
    for (const Stroke& e : t.recorded(StrokeKind::Line, Layer::Fretboard))
        sideLines += e.v[0] >= 3.0f;
    EXPECT_EQ(sideLines, 6u);
    EXPECT_EQ(t.recorded(StrokeKind::Arc, Layer::Frets).size(), 20u);
    int sx = 200 + 3 * 16 - 4, ex = 200 + 4 * 16;
    EXPECT_TRUE(blank(image, sx, 0, ex, 659));

    // The fret line is painted, the faces 0.2 above and below are not.
    float y = fretY(t.neck.treble, 12);
    int row = static_cast<int>(640 - std::floor(y * 16 + 0.5));
    EXPECT_NE(image.pixel(200, row), 0xFFFFFFFFu);
    EXPECT_TRUE(blank(image, 190, row - 3 - 2, 210, row - 2));
    EXPECT_TRUE(blank(image, 190, row + 2, 210, row + 3 + 2));
    // The centre line of the board is recorded only.
    EXPECT_EQ(t.recorded(StrokeKind::Line, Layer::Reflines).size(), 4u + 1u);
}

}  // namespace
}  // namespace bowlyn
