// The sound hole must lie on the body sideways too: on both halves of the
// solved outline and beside a cutaway. The outline the check measures against
// must be the one the pass draws.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/outline_pieces.h"
#include "geometry/pass_texts.h"
#include "model/form_editing.h"
#include "model/presets.h"
#include "test_document.h"

namespace bowlyn {
namespace {

const char* const OFF_THE_BODY =
    "Problem: The specified sound hole diameter and offset places the sound hole off of the body.";

struct HoleDesign : testing::TestDocument {
    explicit HoleDesign(const char* preset) {
        loadTexts(design, presetTexts(presetByName(preset)));
    }
    void set(const char* label, const std::string& text) {
        setFieldText(design, fieldByLabel(label), text);
    }
    std::string holeAt(const std::string& x) {
        set("Sound hole x offset", x);
        return pass();
    }
};

// A hole of radius 1 centred at the height of the lower bout arc's centre,
// which lies 5 inside the edge: 6.5 from the centre line it touches the edge.
TEST(SoundHole, TouchingTheOutlinePasses) {
    HoleDesign om("OM");
    om.set("Lower bout radius", "5");
    om.set("Lower bout offset", "0.5");
    om.set("Sound hole diameter", "2");
    om.set("Sound hole offset", "5.5");
    for (const char* x : {"6.5", "-6.5", "0"})
        EXPECT_EQ(om.holeAt(x), STATUS_OK) << x;
    // Crossing the outline on either half, or beside the body altogether.
    for (const char* x : {"6.50001", "-6.50001", "7.5", "40", "-40"})
        EXPECT_EQ(om.holeAt(x), OFF_THE_BODY) << x;

    // No hole at all is never off the body sideways.
    om.set("Sound hole diameter", "0");
    EXPECT_EQ(om.holeAt("40"), STATUS_OK);
}

TEST(SoundHole, TheCutawaySideCountsOnceItIsBuilt) {
    struct Case {
        const char* preset;
        const char *y, *x, *mirrorX;
    };
    const Case cases[] = {{"Steel string 15'' w/ Florentine cutaway", "16.3", "2.5", "-2.5"},
                          {"Archtop 16'' w/ Venetian cutaway", "17.5", "3.5", "-3.5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        HoleDesign d(c.preset);
        d.set("Sound hole diameter", "2");
        d.set("Sound hole offset", c.y);
        // The mirror half keeps its full shoulder; the cutaway takes the other.
        EXPECT_EQ(d.holeAt(c.mirrorX), STATUS_OK);
        EXPECT_EQ(d.holeAt(c.x), OFF_THE_BODY);
        // Without the cutaway the same hole fits.
        d.set("Has cutaway", "0");
        EXPECT_EQ(d.pass(), STATUS_OK);
        // A cutaway problem is reported before the hole is measured against it.
        d.set("Has cutaway", "1");
        d.set("Cutaway depth", "0");
        EXPECT_NE(d.pass(), OFF_THE_BODY);
    }
}

// Where a piece of the outline starts, ends and turns.
struct Shape {
    double x[3], y[3];
};

Shape shapeOf(const OutlinePiece& p) {
    if (!p.arc)
        return {{p.x1, (p.x1 + p.x2) / 2, p.x2}, {p.y1, (p.y1 + p.y2) / 2, p.y2}};
    const double sweep = std::fmod(std::fmod(p.a2 - p.a1, 2 * M_PI) + 2 * M_PI, 2 * M_PI);
    Shape s;
    for (int i = 0; i < 3; ++i) {
        const double a = p.a1 + (sweep > 0 ? sweep : 2 * M_PI) * i / 2;
        s.x[i] = p.cx + p.r * std::cos(a);
        s.y[i] = p.cy + p.r * std::sin(a);
    }
    return s;
}

// A recorded line or arc (its angles in degrees) as a piece.
OutlinePiece pieceOf(const Stroke& e) {
    OutlinePiece p;
    p.arc = e.kind == StrokeKind::Arc;
    p.x1 = p.cx = e.v[0];
    p.y1 = p.cy = e.v[1];
    p.x2 = p.r = e.v[2];
    p.y2 = e.v[3];
    p.a1 = recordedValue(e, 3) * M_PI / 180;
    p.a2 = recordedValue(e, 4) * M_PI / 180;
    return p;
}

bool sameShape(const Shape& a, const Shape& b) {
    for (int i = 0; i < 3; ++i) {
        if (std::hypot(a.x[i] - b.x[i], a.y[i] - b.y[i]) > 1e-4)
            return false;
    }
    return true;
}

// The check measures against exactly what the pass records on the body
// layer (the hole itself aside), for every preset with and without a cutaway.
TEST(SoundHole, MeasuresTheOutlineThePassDraws) {
    for (int row = 1; row <= PRESET_COUNT; ++row) {
        SCOPED_TRACE(presetName(row));
        HoleDesign d(presetName(row).c_str());
        d.set("Sound hole diameter", "0");
        ASSERT_EQ(d.pass(), STATUS_OK);
        std::vector<Shape> drawn;
        for (const Stroke& e : recordedStrokes(d.last().strokes)) {
            if (e.layer == Layer::Body && (e.kind == StrokeKind::Line || e.kind == StrokeKind::Arc))
                drawn.push_back(shapeOf(pieceOf(e)));
        }
        const std::vector<OutlinePiece> pieces = drawnOutline(d.last().outline, true);
        EXPECT_EQ(pieces.size(), drawn.size());
        for (const OutlinePiece& p : pieces) {
            const Shape s = shapeOf(p);
            bool found = false;
            for (auto it = drawn.begin(); it != drawn.end() && !found; ++it) {
                if (sameShape(s, *it)) {
                    drawn.erase(it);
                    found = true;
                }
            }
            EXPECT_TRUE(found) << "a piece from " << s.x[0] << "," << s.y[0] << " to " << s.x[2]
                               << "," << s.y[2] << " is not drawn";
        }
        // The closed curve holds the body's middle and nothing beside it.
        const double mid = d.design.params.bodyLength / 2.0;
        EXPECT_TRUE(insideOutline(pieces, 0.0, mid));
        EXPECT_FALSE(insideOutline(pieces, 2.0 * d.design.params.lowerBoutHalfWidth, mid));
        EXPECT_FALSE(insideOutline(pieces, 0.0, -1.0));
    }
}

TEST(SoundHole, DistanceToAnArcIsToTheArcNotItsCircle) {
    OutlinePiece quarter;  // unit circle at the origin, from 0 to 90 degrees
    quarter.arc = true;
    quarter.r = 1;
    quarter.a2 = M_PI / 2;
    EXPECT_DOUBLE_EQ(distanceToPiece(quarter, 2, 0), 1);
    EXPECT_DOUBLE_EQ(distanceToPiece(quarter, 0.5, 0), 0.5);
    EXPECT_DOUBLE_EQ(distanceToPiece(quarter, -2, 0), std::sqrt(5.0));  // nearest end (0, 1)
    EXPECT_DOUBLE_EQ(distanceToPiece(quarter, 0, 0), 1);
    OutlinePiece wrapping = quarter;  // from 270 through 0 to 90 degrees
    wrapping.a1 = 1.5 * M_PI;
    EXPECT_DOUBLE_EQ(distanceToPiece(wrapping, 0, -3), 2);
}

}  // namespace
}  // namespace bowlyn
