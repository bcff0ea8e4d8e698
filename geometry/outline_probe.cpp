#include "geometry/outline_probe.h"

#include <charconv>
#include <cmath>

#include "model/design_parameters.h"
#include "model/units.h"

namespace bowlyn {
namespace {

constexpr double PI = CIRCLE_RADIANS / 2.0;
// Directions closer than this meet smoothly: the outline is solved in single
// precision, so its tangent points agree to about 1e-6 radians.
constexpr double SMOOTH_JOINT = 1e-4;

bool isArc(const ContourPiece& p) {
    return p.sweep != 0.0;
}

double pieceLength(const ContourPiece& p) {
    return isArc(p) ? std::fabs(p.sweep) * p.r : std::hypot(p.x2 - p.x1, p.y2 - p.y1);
}

// Whether angle `a` lies on the arc, whichever way it runs.
bool onArc(const ContourPiece& p, double a) {
    const double low = p.sweep > 0 ? p.start : p.start + p.sweep;
    return ccwSweep(low, a) <= std::fabs(p.sweep);
}

// Directions of travel where the piece leaves its start and reaches its end.
double startDirection(const ContourPiece& p) {
    if (!isArc(p))
        return std::atan2(p.y2 - p.y1, p.x2 - p.x1);
    return p.start + (p.sweep > 0 ? PI / 2 : -PI / 2);
}
double endDirection(const ContourPiece& p) {
    if (!isArc(p))
        return std::atan2(p.y2 - p.y1, p.x2 - p.x1);
    return p.start + p.sweep + (p.sweep > 0 ? PI / 2 : -PI / 2);
}

double distanceTo(const ContourPiece& p, double x, double y) {
    if (isArc(p)) {
        if (onArc(p, std::atan2(y - p.cy, x - p.cx)))
            return std::fabs(std::hypot(x - p.cx, y - p.cy) - p.r);
        return std::fmin(std::hypot(x - p.x1, y - p.y1), std::hypot(x - p.x2, y - p.y2));
    }
    const double dx = p.x2 - p.x1, dy = p.y2 - p.y1;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((x - p.x1) * dx + (y - p.y1) * dy) / length2 : 0.0;
    t = std::fmin(1.0, std::fmax(0.0, t));
    return std::hypot(x - (p.x1 + t * dx), y - (p.y1 + t * dy));
}

// A number to `decimals` places, "." whatever the locale, never "-0".
std::string fixed(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    v = std::round(v * scale) / scale + 0.0;
    char buffer[64];
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : "?";
}

}  // namespace

OutlineProbe::OutlineProbe(const OutlineRecord& body, const SoundHole& hole) {
    for (const BodyPiece& p : bodyOutline(body, true))
        addPiece(p.exact);
    bodyPieces_ = pieces_.size();
    if (hole.r > 0.0f) {
        ContourPiece circle;
        circle.name = "sound hole";
        circle.cx = hole.x;
        circle.cy = hole.y;
        circle.r = hole.r;
        circle.x1 = circle.x2 = hole.x + hole.r;
        circle.y1 = circle.y2 = hole.y;
        circle.sweep = CIRCLE_RADIANS;
        addPiece(circle);
    }
    // The joints first, so that one wins a tie with an arc's own point.
    addJoints();
    for (const ContourPiece& p : pieces_) {
        if (!isArc(p))
            continue;
        points_.push_back({p.cx, p.cy, SnapKind::Centre, p.name});
        for (int quarter = 0; quarter < 4; ++quarter) {
            const double a = quarter * PI / 2;
            if (onArc(p, a))
                points_.push_back({p.cx + p.r * std::cos(a), p.cy + p.r * std::sin(a),
                                   SnapKind::Extreme, p.name});
        }
    }
}

// Pieces of no length (an arc the design leaves out) are not there to find.
void OutlineProbe::addPiece(const ContourPiece& p) {
    const double length = pieceLength(p);
    if (length > 0.0 && std::isfinite(length))
        pieces_.push_back(p);
}

// Where each piece of the closed body meets the next: a tangent point where
// an arc meets its neighbour smoothly, an end at a corner and on the centre
// line (the tail end and the neck end).
void OutlineProbe::addJoints() {
    for (size_t i = 0; i < bodyPieces_; ++i) {
        const ContourPiece& a = pieces_[i];
        const ContourPiece& b = pieces_[(i + 1) % bodyPieces_];
        const double turn = std::remainder(startDirection(b) - endDirection(a), CIRCLE_RADIANS);
        const bool smooth = std::fabs(turn) < SMOOTH_JOINT && (isArc(a) || isArc(b));
        // The tail arc's end is off the centre line by the rounding of its
        // single-precision angle, a few millionths at most.
        const bool onCentreLine = std::fabs(a.x2) < 1e-5;
        points_.push_back(
            {a.x2, a.y2, smooth && !onCentreLine ? SnapKind::Tangent : SnapKind::End, a.name});
    }
}

std::optional<SnapPoint> OutlineProbe::snap(double x, double y, double tolerance) const {
    std::optional<SnapPoint> best;
    double nearest = tolerance;
    for (const SnapPoint& p : points_) {
        const double d = std::hypot(p.x - x, p.y - y);
        if (d <= nearest && (!best || d < nearest)) {
            best = p;
            nearest = d;
        }
    }
    if (!best && std::fabs(x) <= tolerance)
        best = SnapPoint{0.0, y, SnapKind::CentreLine, ""};
    return best;
}

std::optional<ProbedPiece> OutlineProbe::pieceAt(double x, double y, double tolerance) const {
    const ContourPiece* best = nullptr;
    double nearest = tolerance;
    for (const ContourPiece& p : pieces_) {
        const double d = distanceTo(p, x, y);
        if (d <= nearest) {
            best = &p;
            nearest = d;
        }
    }
    if (!best)
        return std::nullopt;
    ProbedPiece found;
    found.name = best->name;
    found.arc = isArc(*best);
    found.length = pieceLength(*best);
    found.cx = best->cx;
    found.cy = best->cy;
    found.r = best->r;
    return found;
}

std::string rulerText(double x1, double y1, double x2, double y2, DesignUnits units) {
    const double length = std::hypot(x2 - x1, y2 - y1);
    const bool inch = units == UNITS_INCH;
    double degrees = std::atan2(y2 - y1, x2 - x1) * 180.0 / PI;
    if (fixed(degrees, 1) == "-180.0")
        degrees = 180.0;
    return fixed(length, inch ? 3 : 2) + " " + unitName(designUnit(units)) + "  " +
           fixed(length * (inch ? 25.4 : 10.0), 1) + " mm  " + fixed(degrees, 1) + "\u00b0";
}

std::string pieceText(const ProbedPiece& piece, DesignUnits units, bool brief) {
    const std::string unit = unitName(designUnit(units));
    if (!piece.arc)
        return std::string(piece.name) + "\nlength " + fixed(piece.length, 2) + " " + unit;
    const std::string centre = brief ? "" : " at " + fixed(piece.cx, 2) + ", " + fixed(piece.cy, 2);
    return std::string(piece.name) + "\nR " + fixed(piece.r, 2) + centre + " " + unit;
}

}  // namespace bowlyn
