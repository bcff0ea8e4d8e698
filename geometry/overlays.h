#pragma once

#include <array>
#include <cstdint>

namespace bowlyn {

constexpr uint32_t TRANS_POINT_CAPACITY = 100;

// A point measured from an existing instrument, in model units.
struct TransPoint {
    double x = 0, y = 0;
};

}  // namespace bowlyn

#include <string>

namespace bowlyn {

struct Document;
class Dialogs;

// Keeps a copy of the current outline, or refuses when the last pass did not
// complete one.
void takeSnapshot(Document& doc, Dialogs& dialogs);

// Replaces the stored points with the accepted lines of `text` (at most 100).
void parseTransPoints(Document& doc, const std::string& text);
// One "x,y\n" line per stored point.
std::string listTransPoints(const Document& doc);
// The points as small squares; working drawing only.
void drawTransPoints(Document& doc);
// The traced outline as lines behind the design; working drawing only.
void drawTracedOutline(Document& doc);
// Turns the stored points into the main body dimensions of a new design.
void convertTransPoints(Document& doc);
// Centre through out-arguments; returns the radius, or 0 when there is no circle.
double circleThroughPoints(double x1, double y1, double x2, double y2, double x3, double y3,
                           double& cx, double& cy);

}  // namespace bowlyn
