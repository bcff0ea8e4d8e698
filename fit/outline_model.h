#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "geometry/outline_pieces.h"
#include "model/design_parameters.h"

namespace bowlyn {

// A line or arc of the body outline made ready for many distance queries.
struct ModelPiece {
    bool arc = false;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // ends (of a line, or of an arc)
    double cx = 0, cy = 0, r = 0;
    double sweep = 0;  // counter-clockwise, [0, 2 pi)
};

// The body outline of a parameter set, solved by the program's own outline
// construction and checks (the pass's), in design units.
class OutlineModel {
  public:
    // The closed outline (with the cutaway when `p` has one), or nullopt when
    // a check of the body or the cutaway fails.
    std::optional<std::vector<ModelPiece>> solve(const DesignParameters& p) const;
};

// Points along the closed outline the pieces form, in order round it, about
// `spacing` apart (every piece's ends among them).
std::vector<std::pair<double, double>> sampledOutline(const std::vector<ModelPiece>& pieces,
                                                      double spacing);

// Shortest distance from (x, y) to the piece (an arc as an arc).
double distanceTo(const ModelPiece& piece, double x, double y);
// To the nearest piece, whose index goes to `nearest` when given.
double distanceTo(const std::vector<ModelPiece>& pieces, double x, double y,
                  size_t* nearest = nullptr);

}  // namespace bowlyn
