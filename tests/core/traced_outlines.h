#pragma once

// Outlines as a tracer hands them in, made from designs the program draws
// itself: for the fit's tests and its benchmark.
#include <cmath>
#include <random>
#include <utility>

#include "fit/body_fit.h"
#include "fit/outline_model.h"
#include "model/presets.h"
#include "trace/outline_loops.h"

namespace bowlyn::test {

inline DesignParameters presetParams(int row) {
    Design design;
    loadTexts(design, presetTexts(row));
    return design.params;
}

// `count` points evenly round the design's body outline, in millimetres,
// body coordinates; empty when the body does not pass its checks.
inline Polyline designOutline(const DesignParameters& p, size_t count) {
    OutlineModel model;
    const auto pieces = model.solve(p);
    if (!pieces)
        return {};
    Polyline points;
    for (const auto& [x, y] : sampledOutline(*pieces, 0.01))
        points.push_back({x * mmPerUnit(p.units), y * mmPerUnit(p.units)});
    return resampled(points, true, count);
}

// The right half of designOutline(p, count): from the tail round to the neck
// end of the centre line.
inline Polyline designHalf(const DesignParameters& p, size_t count) {
    Polyline half;
    for (const TracePoint& q : designOutline(p, count)) {
        if (q.x < 0)
            break;
        half.push_back(q);
    }
    half.push_back({0, p.bodyLength * mmPerUnit(p.units)});
    return half;
}

// The points turned, moved (within a metre) and mirrored at random, each
// moved by normal noise of `noiseMm` across and along; where the body's
// tail end went and the direction of its centre line go to `tail` and
// `direction` (radians) when given.
inline Polyline placedAtRandom(Polyline points, std::mt19937& rng, double noiseMm, bool mirror,
                               TracePoint* tail = nullptr, double* direction = nullptr) {
    std::uniform_real_distribution<double> turn(0, 2 * M_PI), shift(-1000, 1000);
    std::normal_distribution<double> noise(0, noiseMm);
    const double a = turn(rng), c = std::cos(a), s = std::sin(a), dx = shift(rng), dy = shift(rng);
    if (tail)
        *tail = {dx, dy};
    if (direction)
        *direction = a + M_PI / 2;
    for (TracePoint& p : points) {
        const double x = (mirror ? -p.x : p.x) + (noiseMm > 0 ? noise(rng) : 0);
        const double y = p.y + (noiseMm > 0 ? noise(rng) : 0);
        p = {c * x - s * y + dx, s * x + c * y + dy};
    }
    return points;
}

}  // namespace bowlyn::test
