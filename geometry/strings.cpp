#include "geometry/strings.h"

#include <cmath>
#include <string>

#include "geometry/neck.h"
#include "geometry/value_checks.h"
#include "model/field_table.h"
#include "render/drawing.h"

namespace bowlyn {
namespace {

float half(float v) {
    return static_cast<float>(v / 2.0);
}

// Entries such as "1/0" or "0/0" read as inf or NaN; they fail the check of
// their own field like a missing value.
std::optional<Check> countProblem(const DesignParameters& p) {
    if (p.stringCount <= 0 || p.stringCount > MAX_STRINGS)
        return Check::StringCount;
    if (p.stringsPerCourse > 1 && !positive(p.courseSpacing))
        return Check::CourseSpacing;
    return std::nullopt;
}

// The problem of string i's diameter, which names the string.
Problem diameterProblem(int32_t i) {
    Problem problem = problemOf(Check::StringDiameter, {fields::DIAMETER_1 + i - 1});
    problem.message += std::to_string(i) + " is currently <= 0.";
    return problem;
}

// Widths of the courses: each is its strings' diameters plus the spacing
// between them.
void layCourses(const DesignParameters& p, CourseLayout& courses) {
    courses = CourseLayout();
    // Single strings have no spacing; one that is not a number must not spoil
    // their widths.
    const float spacing =
        p.stringsPerCourse == 1 && !std::isfinite(p.courseSpacing) ? 0.0f : p.courseSpacing;
    float sum = 0.0f;
    int32_t inCourse = 0;
    for (int32_t i = 1; i <= p.stringCount && i <= MAX_STRINGS; ++i) {
        sum = static_cast<float>(sum + p.stringDiameters[i] + spacing);
        if (++inCourse < p.stringsPerCourse)
            continue;
        if (courses.courseCount < MAX_STRINGS) {
            ++courses.courseCount;
            courses.courseWidths[courses.courseCount] = static_cast<float>(sum - spacing);
        }
        sum = 0.0f;
        inCourse = 0;
    }
}

}  // namespace

float courseGap(float halfWidth, int32_t n, const float (&widths)[MAX_STRINGS + 1], float setback,
                int32_t mode) {
    if (n < 2 || n > MAX_STRINGS)
        return 0.0f;
    float span = static_cast<float>(2.0 * halfWidth - 2.0 * setback);
    if (mode == GAP_CENTRE_TO_CENTRE)
        return static_cast<float>((span - widths[1] / 2.0 - widths[n] / 2.0) / (n - 1));
    double total = 0.0;
    for (int32_t i = 1; i <= n; ++i)
        total += widths[i];
    return static_cast<float>((span - total) / (n - 1));
}

void storeCourseDefault(DesignParameters& p) {
    if (p.hasStrings && p.stringsPerCourse == 0)
        p.stringsPerCourse = 1;
}

std::optional<Problem> checkStrings(DesignParameters& p, CourseLayout& courses) {
    if (!p.hasStrings)
        return std::nullopt;
    storeCourseDefault(p);
    if (std::optional<Check> check = countProblem(p))
        return problemOf(*check);
    for (int32_t i = 1; i <= p.stringCount; ++i) {
        if (!positive(p.stringDiameters[i]))
            return diameterProblem(i);
    }
    // A negative course size cannot group the strings either.
    if (p.stringsPerCourse < 0 || p.stringCount % p.stringsPerCourse != 0)
        return problemOf(Check::CourseSize);
    layCourses(p, courses);
    return std::nullopt;
}

void drawString(Drawing& drawing, float x1, float y1, float x2, float y2, float d) {
    drawing.drawLine(styleString, x1, y1, x2, y2, Side::AsPassed, Layer::Strings);
    float r = half(d);
    auto shifted = [](float x, float by) {
        return static_cast<float>(static_cast<double>(x) + by);
    };
    drawing.drawLine(styleString, shifted(x1, -r), y1, shifted(x2, -r), y2, Side::AsPassed,
                     Layer::Strings, RECORD_ONLY);
    drawing.drawLine(styleString, shifted(x1, r), y1, shifted(x2, r), y2, Side::AsPassed,
                     Layer::Strings, RECORD_ONLY);
}

void drawStrings(Drawing& drawing, const DesignParameters& p, const NeckGeometry& neck,
                 const CourseLayout& c) {
    if (!p.hasFretboard || !p.hasStrings)
        return;
    const int32_t n = c.courseCount;
    if (n < 1 || n > MAX_STRINGS || p.stringCount < 1 || p.stringCount > MAX_STRINGS)
        return;
    const float s = p.stringSetback;
    const int32_t per = p.stringsPerCourse < 1 ? 1 : p.stringsPerCourse;
    auto mean = [](float a, float b) {
        return static_cast<float>((static_cast<double>(a) + b) / 2.0);
    };
    // A fanned board may be wider on one side at the bridge; the courses
    // span it from the bass edge to the treble edge.
    const float hn = mean(neck.treble.nutHalfWidth, neck.bass.nutHalfWidth);
    const float hb = mean(neck.treble.bridgeHalfWidth, neck.bass.bridgeHalfWidth);

    // Equal clear gaps between the courses at the nut, equal centre spacing at
    // the bridge; one course is centred and parallel.
    float gapNut = 0.0f, gapBridge = 0.0f;
    float xNut = -half(c.courseWidths[1]), xBridge = xNut;
    if (n > 1) {
        gapNut = courseGap(hn, n, c.courseWidths, s, GAP_EQUAL);
        gapBridge = courseGap(hb, n, c.courseWidths, s, GAP_CENTRE_TO_CENTRE);
        xNut = static_cast<float>(-(static_cast<double>(neck.bass.nutHalfWidth) - s));
        xBridge = static_cast<float>(-(static_cast<double>(neck.bass.bridgeHalfWidth) - s));
    }
    // Each string runs from the nut's outer face to the saddle line, both
    // slanted on a fanned board: its scale lies between the edges' by where
    // it crosses the board.
    auto headAt = [&](const NeckEdge& e) {
        return static_cast<float>(static_cast<double>(e.nutY) + p.nutThickness);
    };
    const Point bassHead = {-neck.bass.nutHalfWidth, headAt(neck.bass)};
    const Point trebleHead = {neck.treble.nutHalfWidth, headAt(neck.treble)};
    const Point bassSaddle = bassEdgeAt(neck, neck.bass.bridgeY);
    const Point trebleSaddle = trebleEdgeAt(neck, neck.treble.bridgeY);
    auto add = [](float& x, double by) { x = static_cast<float>(x + by); };

    // From the last string (left) to string 1 (right).
    int32_t m = n, j = 1;
    for (int32_t k = p.stringCount; k >= 1; --k) {
        const float d = p.stringDiameters[k];
        const float x1 = static_cast<float>(xNut + d / 2.0);
        const float x2 = static_cast<float>(xBridge + d / 2.0);
        drawString(drawing, x1, yAcross(bassHead, trebleHead, x1), x2,
                   yAcross(bassSaddle, trebleSaddle, x2), d);
        add(xNut, d);
        add(xBridge, d);
        if (j == per && k != 1 && m > 1) {
            j = 1;
            int32_t prev = m--;
            add(xNut, gapNut);
            xBridge = static_cast<float>((static_cast<double>(xBridge) + gapBridge) -
                                         (c.courseWidths[prev] / 2.0 + c.courseWidths[m] / 2.0));
        } else {
            ++j;
            add(xNut, p.courseSpacing);
            add(xBridge, p.courseSpacing);
        }
    }
}

}  // namespace bowlyn
