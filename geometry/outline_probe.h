#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geometry/body_outline.h"
#include "geometry/outline_pieces.h"
#include "model/design_parameters.h"

namespace bowlyn {

// What a point measured on the drawing was caught by.
enum class SnapKind {
    End,         // where two pieces of the outline meet at a corner
    Tangent,     // where two pieces meet smoothly (a tangent point)
    Centre,      // the centre of an arc or of the sound hole
    Extreme,     // the widest point of an arc across or along the body
    CentreLine,  // the nearest point of the centre line
};

struct SnapPoint {
    double x = 0, y = 0;
    SnapKind kind = SnapKind::End;
    const char* piece = "";  // the piece it belongs to; "" on the centre line
};

// The piece of the outline under a point, as a luthier names it.
struct ProbedPiece {
    const char* name = "";  // "waist arc", "neck flat", "sound hole"
    bool arc = false;
    double length = 0;             // a line's length, an arc's along the arc
    double cx = 0, cy = 0, r = 0;  // an arc's circle
};

// Finds the points a measurement snaps to and the piece of the outline under
// the pointer, from the solved outline of a complete pass: the closed body
// (both halves, the cutaway's side included) and the sound hole, in model
// units. Without an outline only the centre line is there to snap to.
class OutlineProbe {
  public:
    OutlineProbe() = default;
    OutlineProbe(const OutlineRecord& body, const SoundHole& hole);

    // The snap point nearest to (x, y) within `tolerance` (model units): the
    // ends, tangent points, centres and widest points first, else the centre
    // line; nullopt when nothing is that close.
    std::optional<SnapPoint> snap(double x, double y, double tolerance) const;
    // The piece nearest to (x, y) within `tolerance`, or nullopt.
    std::optional<ProbedPiece> pieceAt(double x, double y, double tolerance) const;

    const std::vector<SnapPoint>& points() const { return points_; }

  private:
    void addPiece(const ContourPiece& p);
    void addJoints();

    std::vector<ContourPiece> pieces_;
    size_t bodyPieces_ = 0;  // the closed loop comes first; the sound hole after it
    std::vector<SnapPoint> points_;
};

// What the ruler shows between two points (model units): its length in the
// design's unit and in millimetres, and its angle counter-clockwise from
// across the body: "15.000 in  381.0 mm  0.0°", centimetres to 2 decimals.
std::string rulerText(double x1, double y1, double x2, double y2, DesignUnits units);

// The readout for a piece: its name on the first line; an arc's radius and
// centre (only its radius when `brief`) or a line's length on the second, in
// the design's unit.
std::string pieceText(const ProbedPiece& piece, DesignUnits units, bool brief = false);

}  // namespace bowlyn
