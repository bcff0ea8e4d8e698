#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "body_designs.h"
#include "geometry/pass_texts.h"
#include "model/number_text.h"
#include "model/presets.h"
#include "tests/core/test_seed.h"

namespace bowlyn {
namespace {

using testing::setDreadnoughtBody;
using testing::setOmBody;
using testing::TestDocument;

const char* const wildTexts[] = {
    "1e39",   "-1e40",   "0/0",  "&HFFFFFFFF", "1/0", "-1/0",           "1e-45",
    "3.4e38", "-3.4e38", "1e38", "1e-39",      "&B1", "&O777777777777", "7 1/0",
    "1e308",  "-0",      " ",    "abc",        "2e",  "99999999",
};

bool hasNonFiniteText(const std::string& s) {
    return s.find("inf") != std::string::npos || s.find("nan") != std::string::npos;
}

float* bodyField(DesignParameters& p, int i) {
    float* const fields[] = {
        &p.bodyLength,
        &p.lowerBoutHalfWidth,
        &p.lowerBoutRadius,
        &p.lowerBoutOffset,
        &p.lowerBoutRadiusIncrement,
        &p.upperBoutHalfWidth,
        &p.upperBoutRadius,
        &p.upperBoutOffset,
        &p.upperBoutRadiusIncrement,
        &p.waistHalfWidth,
        &p.waistRadius,
        &p.waistOffset,
        &p.neckFlatHalfLength,
        &p.soundHoleDiameter,
        &p.soundHoleOffset,
        &p.soundHoleXOffset,
    };
    return fields[i];
}
constexpr int BODY_FIELDS = 16;

// Thousands of random designs, from near-presets to nonsense typed into the
// form. No pass may crash or hang, and a pass that ends "Status: OK" must
// have recorded and shown only finite numbers.
// A pass either reports one problem and leaves the outline incomplete, or
// ends "Status: OK" having recorded only finite numbers; no text shows inf or NaN.
void checkPassOutcome(TestDocument& t, bool& complete) {
    const std::string status = t.status();
    ASSERT_FALSE(hasNonFiniteText(status)) << status;
    for (const std::string& label : t.labels())
        ASSERT_FALSE(hasNonFiniteText(label)) << label;
    complete = status == STATUS_OK;
    if (!complete) {
        ASSERT_TRUE(status.rfind("Problem: ", 0) == 0 || status.rfind("Internal error: ", 0) == 0)
            << status;
        ASSERT_FALSE(t.session.complete());
        return;
    }
    ASSERT_TRUE(t.session.complete());
    for (const Stroke& e : recordedStrokes(t.last().strokes)) {
        for (int i = 0; i < valueCount(e.kind); ++i)
            ASSERT_TRUE(std::isfinite(recordedValue(e, i)));
    }
}

// What the largest pass so far asked to paint: the work of a pass, counted
// rather than timed, so that a slow build cannot miss it.
struct PassWork {
    size_t painted = 0;

    // A few thousand strokes at most (the grid is capped at 5000 dots),
    // however large or small the numbers typed.
    void expectBounded() const { EXPECT_LE(painted, 6000u); }
};

// Runs one pass, notes its work, and checks its outcome and that the result
// says what the form shows.
void runPass(TestDocument& t, PassWork& work, bool& complete) {
    const PassResult result = t.session.runPass();
    const StrokeList& strokes = t.last().strokes;
    const auto shown = static_cast<size_t>(
        std::count_if(strokes.begin(), strokes.end(), [](const Stroke& s) { return s.shown(); }));
    work.painted = std::max(work.painted, shown);
    ASSERT_EQ(statusText(result), t.status());
    ASSERT_EQ(result.ok(), t.session.complete());
    checkPassOutcome(t, complete);
}

TEST(RecomputeRobustness, RandomDesigns) {
    const unsigned seed = test::randomTestSeed();
    SCOPED_TRACE("BOWLYN_TEST_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> scale(0.5f, 1.5f);
    std::uniform_real_distribution<float> nudge(0.95f, 1.05f);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_int_distribution<int> wild(0, std::size(wildTexts) - 1);

    TestDocument t;
    int ok = 0;
    const int passes = 2400;
    PassWork work;
    for (int i = 0; i < passes; ++i) {
        DesignParameters& p = t.design.params;
        if (i % 2) {
            setOmBody(p);
        } else {
            setDreadnoughtBody(p);
        }
        // Every third design stays close to its preset and mostly draws.
        const bool gentle = i % 3 == 0;
        const float wildShare = gentle ? 0.0f : 0.15f;
        const float oddShare = gentle ? 0.0f : 0.1f;
        for (int f = 0; f < BODY_FIELDS; ++f) {
            float* v = bodyField(p, f);
            const float r = unit(rng);
            if (r < wildShare) {
                *v = parseDimension(wildTexts[wild(rng)]);
            } else if (r < wildShare + oddShare / 2) {
                *v = 0.0f;
            } else if (r < wildShare + oddShare) {
                *v = unit(rng) * 20.0f - 2.0f;
            } else {
                *v *= gentle ? nudge(rng) : scale(rng);
            }
        }
        p.units = i % 5 == 0 ? UNITS_CM : UNITS_INCH;
        t.session.mode = i % 4 == 0 ? DrawingMode::Final : DrawingMode::Working;
        t.overlays.showSnapshot = i % 3 == 0;
        t.overlays.showTransPoints = true;
        t.overlays.transPointCount = 2;
        t.overlays.transPoints[1] = {unit(rng) * 10.0, unit(rng) * 20.0};
        t.overlays.transPoints[2] = {1e300, -1e300};

        bool complete = false;
        ASSERT_NO_FATAL_FAILURE(runPass(t, work, complete));
        if (!complete)
            continue;
        ++ok;
        // Later passes draw this outline, whatever it was, as the snapshot.
        if (i % 7 == 0)
            t.overlays.snapshot = t.last().outline;
    }
    EXPECT_GT(ok, passes / 20);  // the success path is exercised too
    work.expectBounded();
}

// The neck, cutaway, fretboard and strings fields of one design: each near a
// typical size, or with the given share 0, negative, large or a wild text.
class NeckFields {
  public:
    explicit NeckFields(std::mt19937& rng) : rng_(rng) {}

    void randomize(DesignParameters& p, float oddShare) {
        odd_ = oddShare;
        p.neckJoinsAtFret = count(14);
        p.scaleLength = size(25.0f);
        p.hasCutaway = flag();
        p.cutawayType = pick(2) ? CUTAWAYTYPEVENETIAN : CUTAWAYTYPEFLORENTINE;
        p.cutawaySideOffset = size(0.1f);
        p.cutawayDepth = size(2.5f);
        p.cutawayWidth = size(3.5f);
        p.cutawayValleyRadius = size(0.8f);
        p.cutawayPointRadius = size(1.0f);
        p.taperType = pick(2) ? STRINGSPACING : TAPERTYPEBOARDWIDTH;
        p.nutWidth = size(1.7f);
        p.boardWidthAtFret = size(2.2f);
        p.boardWidthFret = count(12);
        p.bridgeStringSpacing = size(2.1f);
        p.stringSetback = size(0.1f);
        p.firstStringDiameter = size(0.011f);
        p.lastStringDiameter = size(0.05f);
        p.hasFretboard = flag();
        p.fretCount = static_cast<uint32_t>(count(22));
        p.fretboardThickness = size(0.25f);
        p.nutThickness = size(0.25f);
        p.fretwireThickness = size(0.08f);
        p.fretwireHeight = size(0.04f);
        p.hasMarkers = flag();
        p.markerDiameter = size(0.25f);
        p.sideMarkerDiameter = size(0.06f);
        p.hasStrings = flag();
        p.stringCount = count(8);
        p.stringsPerCourse = pick(3) == 0 ? count(2) : 1;
        p.courseSpacing = size(0.05f);
        for (int i = 1; i <= MAX_STRINGS; ++i)
            p.stringDiameters[i] = size(0.03f);
        if (p.stringsPerCourse > 0)  // mostly whole courses
            p.stringCount -= p.stringCount % p.stringsPerCourse;
    }

  private:
    uint32_t pick(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng_); }
    bool odd() { return std::uniform_real_distribution<float>(0.0f, 1.0f)(rng_) < odd_; }
    float size(float typical) {
        std::uniform_real_distribution<float> near(0.8f * typical, 1.2f * typical);
        if (!odd())
            return near(rng_);
        switch (pick(4)) {
            case 0:
                return 0.0f;
            case 1:
                return -near(rng_);
            case 2:
                return near(rng_) * 20.0f;
            default:
                return parseDimension(wildTexts[pick(std::size(wildTexts))]);
        }
    }
    int32_t count(int32_t typical) {
        if (!odd())
            return typical / 2 + static_cast<int32_t>(pick(typical + 1));
        switch (pick(3)) {
            case 0:
                return 0;
            case 1:
                return -static_cast<int32_t>(pick(30));
            default:
                return roundToInt32(readNumber(wildTexts[pick(std::size(wildTexts))]));
        }
    }
    bool flag() { return pick(4) != 0; }

    std::mt19937& rng_;
    float odd_ = 0.0f;
};

// Random necks on the bodies of the cutaway and fretboard presets: no crash,
// no hang, and a pass that ends "Status: OK" records and shows finite numbers
// only. The sanitizer build checks every table index on the way.
TEST(RecomputeRobustness, RandomNecks) {
    const unsigned seed = test::randomTestSeed();
    SCOPED_TRACE("BOWLYN_TEST_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    NeckFields fields(rng);
    const int bodies[] = {1, 6, 7, 8};

    TestDocument t;
    int ok = 0;
    const int passes = 2400;
    PassWork work;
    for (int i = 0; i < passes; ++i) {
        loadTexts(t.design, presetTexts(bodies[i % 4]));
        fields.randomize(t.design.params, i % 3 == 0 ? 0.25f : 0.01f);
        t.session.mode = i % 4 == 0 ? DrawingMode::Final : DrawingMode::Working;
        t.overlays.showSnapshot = i % 3 == 0;

        bool complete = false;
        ASSERT_NO_FATAL_FAILURE(runPass(t, work, complete));
        if (!complete)
            continue;
        ++ok;
        if (i % 5 == 0)
            t.overlays.snapshot = t.last().outline;
    }
    EXPECT_GT(ok, passes / 10);  // the drawing steps are exercised too
    work.expectBounded();
}

TEST(RecomputeRobustness, OutOfRangeValuesAreReportedNotDrawn) {
    const std::string tooLarge =
        "Problem: The values given are too large or too small to draw the instrument.";
    struct Case {
        const char* what;
        void (*change)(DesignParameters&);
    };
    const Case cases[] = {
        {"infinite increment", [](DesignParameters& p) { p.lowerBoutRadiusIncrement = INFINITY; }},
        {"NaN waist radius", [](DesignParameters& p) { p.waistRadius = NAN; }},
        {"NaN sound hole", [](DesignParameters& p) { p.soundHoleXOffset = NAN; }},
        {"infinite lower bout, no length",
         [](DesignParameters& p) {
             p.lowerBoutHalfWidth = INFINITY;
             p.bodyLength = 0;
         }},
        {"range beyond the largest single",
         [](DesignParameters& p) {
             p.lowerBoutHalfWidth = 3e38f;
             p.bodyLength = 0;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestDocument t;
        setOmBody(t.design.params);
        c.change(t.design.params);
        t.session.runPass();
        EXPECT_EQ(t.status(), tooLarge);
        EXPECT_FALSE(t.session.complete());
        for (const std::string& label : t.labels())
            EXPECT_EQ(label, " ");
    }
}

}  // namespace
}  // namespace bowlyn
