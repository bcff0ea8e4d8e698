// Fanned frets: the closed forms of the layout, the drawing that follows it,
// and a board whose two scales are equal drawn exactly as one without a fan.
#include "geometry/fret_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "derive/solved_design.h"
#include "export_test_support.h"
#include "geometry/neck.h"
#include "model/form_editing.h"
#include "model/presets.h"
#include "neck_test_support.h"
#include "tests/core/test_seed.h"

namespace bowlyn {
namespace {

double fromSaddle(int n) {
    return std::pow(2.0, -n / 12.0);
}

// Random fans about real instruments, square frets among them (equal
// scales), tapered boards and straight ones, every fret checked against
// the closed forms: on each edge fret n lies S (1 - 2^(-n/12)) from the nut
// along the centre line, the perpendicular fret is square, the nut and the
// saddle are skewed by (S_bass - S_treble)(1 - 2^(-P/12)) and
// (S_bass - S_treble) 2^(-P/12), and fret J crosses the centre line on the
// body's neck end.
TEST(FretLayout, RandomFansKeepTheirClosedForms) {
    std::mt19937 rng(test::randomTestSeed());
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 300; ++i) {
        DesignParameters p;
        testing::setFretboard(p);
        p.bodyLength = static_cast<float>(18.0 + 4.0 * unit(rng));
        p.scaleLength = static_cast<float>(23.0 + 10.0 * unit(rng));
        const bool square = i % 5 == 0;
        p.bassScaleLength =
            square ? p.scaleLength : static_cast<float>(p.scaleLength + 3.0 * unit(rng));
        p.perpendicularFret = static_cast<float>(std::floor(13.0 * unit(rng)));
        p.neckJoinsAtFret = 12 + static_cast<int32_t>(3.0 * unit(rng));
        p.fretCount = 24;
        const bool straight = i % 3 == 0;
        p.boardWidthAtFret = straight ? p.nutWidth : static_cast<float>(2.0 + 0.3 * unit(rng));
        SCOPED_TRACE(::testing::Message()
                     << "fan " << i << ": " << p.scaleLength << " / " << p.bassScaleLength
                     << " square at " << p.perpendicularFret);

        const FretLayout layout = fretLayout(p);
        ASSERT_EQ(layout.frets.size(), 25u);
        const double St = p.scaleLength, Sb = p.bassScaleLength, S = std::max(St, Sb);
        const int P = static_cast<int>(p.perpendicularFret);
        const double tolerance = 1e-9 * S;
        // A tapered edge runs the scale's distance along the centre line
        // and the taper's across it.
        auto slant = [&](double scale) {
            const double k = (p.boardWidthAtFret - p.nutWidth) / 2.0 /
                             (scale * (1.0 - fromSaddle(p.boardWidthFret)));
            return std::sqrt(1.0 + k * k);
        };
        for (int n = 0; n <= 24; ++n) {
            const FretLine& f = layout.frets[static_cast<size_t>(n)];
            EXPECT_NEAR(layout.trebleFromNut(f), St * (1.0 - fromSaddle(n)) * slant(St), tolerance)
                << "fret " << n;
            EXPECT_NEAR(layout.bassFromNut(f), Sb * (1.0 - fromSaddle(n)) * slant(Sb), tolerance)
                << "fret " << n;
            EXPECT_EQ(f.bassX, -f.trebleX);
        }
        if (straight) {
            EXPECT_NEAR(layout.trebleFromNut(layout.frets[12]), St / 2.0, tolerance);
            EXPECT_NEAR(layout.bassFromNut(layout.saddle), Sb, tolerance);
        }
        const FretLine& perpendicular = layout.frets[static_cast<size_t>(P)];
        EXPECT_EQ(perpendicular.bassY, perpendicular.trebleY);
        EXPECT_EQ(perpendicular.angleDegrees(), 0.0);
        const FretLine &nut = layout.frets[0], &joint = layout.frets[p.neckJoinsAtFret];
        EXPECT_NEAR(nut.bassY - nut.trebleY, (Sb - St) * (1.0 - fromSaddle(P)), tolerance);
        EXPECT_NEAR(layout.saddle.trebleY - layout.saddle.bassY, (Sb - St) * fromSaddle(P),
                    tolerance);
        EXPECT_NEAR((joint.bassY + joint.trebleY) / 2.0, p.bodyLength, tolerance);
        if (P > 0) {
            EXPECT_EQ(nut.angleDegrees() < 0.0, Sb > St);  // the bass nut lies farther out
        }
    }
}

// The recorded entity list of a final pass, for comparing passes exactly.
std::vector<std::array<double, 5>> recordedValues(const testing::TestDocument& t) {
    std::vector<std::array<double, 5>> values;
    for (const Stroke& s : t.entities()) {
        values.push_back({});
        for (int i = 0; i < valueCount(s.kind); ++i)
            values.back()[static_cast<size_t>(i)] = recordedValue(s, i);
    }
    return values;
}

// A bass scale equal to the scale draws every fret, the nut, the bridge, the
// strings and the markers exactly as a blank one does, whatever the fret
// called perpendicular; a different one fans the frets along the layout.
TEST(FretLayout, TheDrawingFollowsTheFanAndEqualScalesDrawNoFan) {
    for (int row : {presetRows::OM, presetRows::ABG}) {
        auto blank = testing::presetAfterPass(row);
        SCOPED_TRACE(presetName(row));
        const std::string scale = blank->design.text(fields::SCALE_LENGTH);
        auto equal = testing::presetAfterPass(row, [&](Design& design) {
            setFieldText(design, fields::BASS_SCALE_LENGTH, scale);
            setFieldText(design, fields::PERPENDICULAR_FRET, "3");
        });
        EXPECT_EQ(recordedValues(*equal), recordedValues(*blank));

        auto fanned = testing::presetAfterPass(row, [&](Design& design) {
            setFieldText(design, fields::BASS_SCALE_LENGTH, std::to_string(std::stod(scale) + 1.5));
            setFieldText(design, fields::PERPENDICULAR_FRET, "7");
        });
        const SolvedDesign design = testing::solvedOrFail(*fanned);
        ASSERT_FALSE(design.frets.empty());
        size_t fret = 0;
        for (const Stroke& s : fanned->last().strokes) {
            if (s.layer != Layer::Frets || s.kind != StrokeKind::Line || !s.shown())
                continue;
            const FretLine& f = design.frets.frets.at(++fret);
            EXPECT_NEAR(s.v[0], f.bassX, 1e-5) << "fret " << fret;
            EXPECT_NEAR(s.v[1], f.bassY, 1e-5) << "fret " << fret;
            EXPECT_NEAR(s.v[2], f.trebleX, 1e-5) << "fret " << fret;
            EXPECT_NEAR(s.v[3], f.trebleY, 1e-5) << "fret " << fret;
        }
        EXPECT_EQ(fret + 1, design.frets.frets.size());
        // The board's corners on the nut's face and the end lie on the edges.
        const FretboardTop& top = design.fretboard;
        EXPECT_NEAR(top.bassHead.y - top.trebleHead.y,
                    design.frets.frets[0].bassY - design.frets.frets[0].trebleY, 1e-5);
    }
}

// The bridge must lie on the body at both edges: a long bass scale square at
// the nut puts the bass saddle beyond the tail end while the treble one lies
// well on the body.
TEST(FretLayout, TheBridgeIsCheckedAtBothEdges) {
    testing::NeckSteps t;
    testing::setFretboard(t.params);
    t.params.bassScaleLength = 45.0f;
    t.params.perpendicularFret = 0.0f;
    const std::optional<Problem> problem = placeNeck(t.params, t.neck);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->check, Check::BridgeOffBody);
    EXPECT_GT(t.neck.treble.bridgeY, 0.0f);
    EXPECT_LT(t.neck.bass.bridgeY, 0.0f);
    EXPECT_TRUE(problem->fields.contains(fields::BASS_SCALE_LENGTH));
}

}  // namespace
}  // namespace bowlyn
