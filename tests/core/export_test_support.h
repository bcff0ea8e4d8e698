#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "body_designs.h"
#include "derive/bounds.h"
#include "derive/contour.h"
#include "derive/outline_contours.h"
#include "derive/solved_design.h"
#include "formats/export_file.h"
#include "geometry/pass_texts.h"
#include "model/presets.h"

namespace bowlyn::testing {

// A document after one final-drawing pass of a built-in preset (row 1 to 11).
inline std::unique_ptr<TestDocument> presetAfterPass(
    int row, const std::function<void(Design&)>& change = {}) {
    auto t = std::make_unique<TestDocument>();
    loadTexts(t->design, presetTexts(row));
    if (change)
        change(t->design);
    t->session.mode = DrawingMode::Final;
    t->pass();
    return t;
}

// The export settings of a unit alone (the design's own when none).
inline ExportSettings inUnit(std::optional<LengthUnit> unit) {
    ExportSettings s;
    s.unit = unit;
    return s;
}

inline SolvedDesign solvedOrFail(const TestDocument& t) {
    std::optional<SolvedDesign> s = solvedDesign(t.last(), t.design);
    EXPECT_TRUE(s.has_value()) << t.status();
    return s.value_or(SolvedDesign{});
}

inline void expectRelative(double actual, double expected, double tolerance,
                           const std::string& what) {
    EXPECT_LE(std::fabs(actual - expected), tolerance * std::fabs(expected))
        << what << ": " << actual << " against " << expected;
}

constexpr double TEST_PI = CIRCLE_RADIANS / 2.0;

struct Polygon {
    std::vector<std::pair<double, double>> points;

    // Lines add their start, arcs `steps` points along the arc's own circle.
    void add(const ContourPiece& p, int steps) {
        if (p.sweep == 0.0) {
            points.emplace_back(p.x1, p.y1);
            return;
        }
        for (int k = 0; k < steps; ++k) {
            const double a = p.start + p.sweep * k / steps;
            points.emplace_back(p.cx + p.r * std::cos(a), p.cy + p.r * std::sin(a));
        }
    }
    double perimeter() const {
        double total = 0.0;
        for (size_t i = 0; i < points.size(); ++i) {
            const auto& [x1, y1] = points[i];
            const auto& [x2, y2] = points[(i + 1) % points.size()];
            total += std::hypot(x2 - x1, y2 - y1);
        }
        return total;
    }
    // The integral of y over the area, as for any polygon.
    double moment() const {
        double total = 0.0;
        for (size_t i = 0; i < points.size(); ++i) {
            const auto& [x1, y1] = points[i];
            const auto& [x2, y2] = points[(i + 1) % points.size()];
            total += (x1 * y2 - x2 * y1) * (y1 + y2);
        }
        return total / 6.0;
    }
    double area() const {
        double twice = 0.0;
        for (size_t i = 0; i < points.size(); ++i) {
            const auto& [x1, y1] = points[i];
            const auto& [x2, y2] = points[(i + 1) % points.size()];
            twice += x1 * y2 - x2 * y1;
        }
        return twice / 2.0;
    }
    Bounds bounds() const {
        Bounds b;
        for (const auto& [x, y] : points)
            b.add(x, y);
        return b;
    }
};

inline Polygon polygonOf(const std::vector<ContourPiece>& pieces, int steps) {
    Polygon polygon;
    for (const ContourPiece& p : pieces)
        polygon.add(p, steps);
    return polygon;
}

// The same from a closed loop's vertices and sweeps: the centre of each arc
// lies sqrt(r^2 - (c/2)^2) from the chord's middle, on the side the arc
// turns to when it is less than half a circle.
inline Polygon polygonOf(const Contour& loop, int steps) {
    std::vector<ContourPiece> pieces;
    for (size_t i = 0; i < loop.edges.size(); ++i) {
        const ContourEdge& a = loop.edges[i];
        const ContourEdge& b = loop.next(i);
        ContourPiece p;
        p.x1 = a.x;
        p.y1 = a.y;
        p.sweep = a.sweep;
        if (a.sweep != 0.0) {
            const double c = std::hypot(b.x - a.x, b.y - a.y);
            p.r = c / 2.0 / std::sin(std::fabs(a.sweep) / 2.0);
            const double h = std::sqrt(std::max(0.0, p.r * p.r - c * c / 4.0));
            const double side = (a.sweep > 0.0) == (std::fabs(a.sweep) < TEST_PI) ? 1.0 : -1.0;
            p.cx = (a.x + b.x) / 2.0 - side * h * (b.y - a.y) / c;
            p.cy = (a.y + b.y) / 2.0 + side * h * (b.x - a.x) / c;
            p.start = std::atan2(a.y - p.cy, a.x - p.cx);
        }
        pieces.push_back(p);
    }
    return polygonOf(pieces, steps);
}

// A record whose every arc lies on one circle of radius R round (0, R); the
// tangents and the waist arc have no length.
inline OutlineRecord circleBody(float R) {
    OutlineRecord r;
    r.lowerBoutOffset = 1.0f;  // a tail arc
    r.upperBoutOffset = 1.0f;  // a shoulder arc
    BodyOutline& o = r.outline;
    const float bottom = static_cast<float>(1.5 * TEST_PI), low = static_cast<float>(1.8 * TEST_PI),
                side = 0.1f, high = 0.9f, top = static_cast<float>(TEST_PI / 2);
    o.tailArc = {0, R, R, bottom, low};
    o.lowerBoutArc = {0, R, R, low, side};
    const float sx = static_cast<float>(R * std::cos(double(side)));
    const float sy = static_cast<float>(R + R * std::sin(double(side)));
    o.lowerTangent = {sx, sy, sx, sy};
    o.waistArc = {sx, sy, 0, 0, 1};
    o.upperTangent = {sx, sy, sx, sy};
    o.upperBoutArc = {0, R, R, side, high};
    o.shoulderArc = {0, R, R, high, top};
    return r;
}

// Straight sides with corner "arcs" of radius 0: a W by 2 * halfWidth box.
inline OutlineRecord rectangleBody(float halfWidth, float length) {
    OutlineRecord r;
    r.neckFlatHalfLength = 1.0f;
    r.upperBoutHalfWidth = halfWidth;  // with a radius of 0 the shoulder runs out to here
    BodyOutline& o = r.outline;
    o.tailArc = {halfWidth, 0, 0, 0, 0};
    o.lowerBoutArc = {halfWidth, 0, 0, 4.7f, 0};
    o.lowerTangent = {halfWidth, 0, halfWidth, 3};
    o.waistArc = {halfWidth, 3, 0, 2, 4};
    o.upperTangent = {halfWidth, 3, halfWidth, length};
    o.upperBoutArc = {halfWidth, length, 0, 0, 1.57f};
    o.shoulderArc = {1.0f, length, 0, 0, 0};
    o.neckFlat = {0, length, 1.0f, length};
    return r;
}

// The closed loop of a test body, which must close.
inline Contour closedBody(const OutlineRecord& r) {
    const LoopResult loop = closeLoop("body", Layer::Body, bodyPieces(r));
    EXPECT_EQ(loop.problem, "");
    return loop.contour;
}

}  // namespace bowlyn::testing
