#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "geometry/body_outline.h"
#include "model/design.h"

namespace bowlyn {

class Drawing;

constexpr uint32_t TRANS_POINT_CAPACITY = 100;

// A point measured from an existing instrument, in model units.
struct TransPoint {
    double x = 0, y = 0;
};

// What the working drawing shows beside the design: the outline of an
// earlier design kept as a snapshot, points measured from an existing
// instrument and an outline traced from one. None is part of the design, its
// file or its history.
struct Overlays {
    OutlineRecord snapshot;  // all zero before the first snapshot
    bool showSnapshot = false;

    std::array<TransPoint, TRANS_POINT_CAPACITY + 1> transPoints{};  // numbered 1 to 100
    uint32_t transPointCount = 0;
    bool showTransPoints = false;

    // An outline traced from an instrument or a template (File > Import
    // outline...), in model units with the centre line at x = 0 and the
    // tail end at y = 0: a closed loop, or one half from the tail end
    // round to the neck end.
    std::vector<TransPoint> tracedOutline;
    bool tracedHalf = false;
    bool showTracedOutline = false;
};

// Replaces the stored points with the accepted lines of `text` (at most 100).
void parseTransPoints(Overlays& overlays, const std::string& text);
// One "x,y\n" line per stored point.
std::string listTransPoints(const Overlays& overlays);
// The points as small squares, while they are shown.
void drawTransPoints(Drawing& drawing, const Overlays& overlays);
// The traced outline as lines behind the design, while it is shown.
void drawTracedOutline(Drawing& drawing, const Overlays& overlays);
// The main body dimensions of a new design from the stored points, to load;
// nothing when no point is usable.
std::optional<FieldTexts> convertTransPoints(const Overlays& overlays);
// Centre through out-arguments; returns the radius, or 0 when there is no circle.
double circleThroughPoints(double x1, double y1, double x2, double y2, double x3, double y3,
                           double& cx, double& cy);

}  // namespace bowlyn
