// The neck steps inside a full pass: their order, the bridge mark without a
// fretboard, and problems that leave the outline undrawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "body_designs.h"
#include "geometry/neck.h"
#include "geometry/pass_texts.h"
#include "neck_test_support.h"

namespace bowlyn {
namespace {

using Change = std::function<void(DesignParameters&)>;

// The OM body with the given neck; every step passes as set here.
void setOmWithNeck(DesignParameters& p) {
    testing::setOmBody(p);
    p.neckJoinsAtFret = 14;
    p.scaleLength = 25.4f;
    p.hasFretboard = 1;
    p.fretCount = 22;
    p.fretboardThickness = 0.25f;
    p.nutWidth = 1.73f;
    p.nutThickness = 0.197f;
    p.boardWidthAtFret = 2.125f;
    p.boardWidthFret = 12;
    p.fretwireThickness = 0.084f;
    p.fretwireHeight = 0.039f;
    p.hasMarkers = 1;
    p.markerDiameter = 0.25f;
    p.hasStrings = 1;
    p.stringCount = 6;
    p.stringsPerCourse = 1;
    p.stringSetback = 0.12f;
    for (int i = 1; i <= 6; ++i)
        p.stringDiameters[i] = 0.01f + 0.008f * i;
}

struct Pass {
    testing::TestDocument t;
    explicit Pass(const Change& change) {
        setOmWithNeck(t.design.params);
        change(t.design.params);
        t.session.runPass();
    }
    size_t count(StrokeKind kind, Layer layer) const { return t.recorded(kind, layer).size(); }
};

TEST(NeckPass, BridgeMarkOnlyWithoutAFretboard) {
    struct Case {
        const char* what;
        Change change;
        size_t refLines;
    };
    const Case cases[] = {
        {"fretboard: nut and bridge marks, centre line", [](DesignParameters&) {}, 5},
        {"no fretboard: the bridge mark", [](DesignParameters& p) { p.hasFretboard = 0; }, 2},
        {"no fretboard, joins at 0",
         [](DesignParameters& p) {
             p.hasFretboard = 0;
             p.neckJoinsAtFret = 0;
             p.scaleLength = 19.4f;  // the bridge on the tail end
         },
         0},
        {"no fretboard, no scale",
         [](DesignParameters& p) {
             p.hasFretboard = 0;
             p.scaleLength = 0;
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Pass pass(c.change);
        ASSERT_EQ(pass.t.status(), STATUS_OK);
        EXPECT_EQ(pass.count(StrokeKind::Line, Layer::Reflines), c.refLines);
    }
}

TEST(NeckPass, DrawsBoardThenStringsThenMarkers) {
    Pass pass([](DesignParameters&) {});
    ASSERT_EQ(pass.t.status(), STATUS_OK);
    const StrokeList all = pass.t.entities();
    size_t lastFret = 0, firstString = all.size(), lastString = 0, firstMarker = all.size();
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].layer == Layer::Frets)
            lastFret = i;
        if (all[i].layer == Layer::Strings) {
            firstString = std::min(firstString, i);
            lastString = i;
        }
        if (all[i].layer == Layer::Fretboard && all[i].kind == StrokeKind::Point)
            firstMarker = std::min(firstMarker, i);
    }
    EXPECT_LT(lastFret, firstString);
    EXPECT_LT(lastString, firstMarker);
    EXPECT_EQ(pass.count(StrokeKind::Line, Layer::Strings), 18u);
    EXPECT_EQ(pass.count(StrokeKind::Line, Layer::Frets), 66u);
}

TEST(NeckPass, FirstProblemInStepOrderEndsThePass) {
    struct Case {
        const char* what;
        Change change;
        std::string message;
    };
    const Case cases[] = {
        {"cutaway before fretboard",
         [](DesignParameters& p) {
             p.hasCutaway = 1;
             p.cutawayDepth = 0;
             p.fretwireHeight = 0;
         },
         "Problem: Both the cutaway depth and width must be specified. Values must be > 0."},
        {"fretboard before bridge",
         [](DesignParameters& p) {
             p.fretwireHeight = 0;
             p.scaleLength = 100;
         },
         "Problem: To draw a fretboard, the height of the fretwire must be specified. Value must "
         "be > 0."},
        {"bridge before strings",
         [](DesignParameters& p) {
             p.scaleLength = 100;
             p.stringCount = 0;
         },
         "Problem: With the scale length and neck-joins-body-at-fret specified, the bridge would "
         "be located off the end of the instrument."},
        {"strings", [](DesignParameters& p) { p.stringDiameters[4] = 0; },
         "Problem: To draw strings, the diameter of each string must be > 0. Diameter of string 4 "
         "is currently <= 0."},
        {"strings checked without a fretboard",
         [](DesignParameters& p) {
             p.hasFretboard = 0;
             p.stringCount = 17;
         },
         "Problem: To draw the strings, the total number of strings must be specified. Value must "
         "be > 0 and <= 16."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Pass pass(c.change);
        EXPECT_EQ(pass.t.status(), c.message);
        EXPECT_FALSE(pass.t.session.complete());
        // Nothing of the outline was drawn, and no label was filled.
        EXPECT_EQ(pass.count(StrokeKind::Arc, Layer::Body), 0u);
        for (const std::string& label : pass.t.labels())
            EXPECT_EQ(label, " ");
    }
}

}  // namespace
}  // namespace bowlyn
