#pragma once

#include <string>
#include <vector>

#include "geometry/outline_pieces.h"
#include "render/drawing_kinds.h"

namespace bowlyn {

// One edge of a closed contour: a line or a circular arc from its start
// vertex to the start vertex of the next edge. Neighbouring edges share that
// vertex, so a contour closes exactly by construction.
struct ContourEdge {
    double x = 0, y = 0;    // the start vertex
    double sweep = 0;       // 0 for a line; an arc's angle, counter-clockwise positive
    const char* name = "";  // the outline piece it was made of, for messages
};

// A closed loop, counter-clockwise (its area is positive), on a drawing layer.
struct Contour {
    std::string name;           // "body", "fretboard"
    Layer layer = Layer::Body;  // in every exported file
    std::vector<ContourEdge> edges;

    // Where edge i ends: the next edge's start vertex.
    const ContourEdge& next(size_t i) const { return edges[(i + 1) % edges.size()]; }
};

// The circle an arc edge lies on, and the angle of its start vertex seen from
// the centre (radians); the arc runs `sweep` on from there.
struct EdgeArc {
    double cx = 0, cy = 0, r = 0, start = 0;
};
EdgeArc edgeArc(const ContourEdge& from, const ContourEdge& to);

// The DXF bulge of an edge: tan(sweep / 4), 0 for a line.
double edgeBulge(const ContourEdge& e);
double edgeLength(const ContourEdge& from, const ContourEdge& to);
// The area between an arc edge's chord and the arc, signed with its sweep
// (0 for a line): what the arc adds to a counter-clockwise loop's area
// beyond its chord.
double segmentArea(const ContourEdge& from, const ContourEdge& to);
// x - sin x for x >= 0, exact also for small x, where the plain difference
// loses every digit (a flat arc of a huge radius).
double xMinusSin(double x);
// Directions of travel (radians) where the edge leaves its start vertex and
// where it reaches its end.
double edgeStartDirection(const ContourEdge& from, const ContourEdge& to);
double edgeEndDirection(const ContourEdge& from, const ContourEdge& to);
// How far the loop turns at the start vertex of edge i, in [-pi, pi]:
// positive to the left, which on a counter-clockwise loop is outwards.
double turnAt(const Contour& c, size_t i);
// Distance of a point from the edge (not from its whole circle or line), with
// the edge's circle worked out once for many points.
double distanceToEdge(const ContourEdge& from, const ContourEdge& to, const EdgeArc& arc, double px,
                      double py);

// Pieces whose ends are farther apart than this are a fault, never bridged.
constexpr double CONTOUR_GAP_LIMIT = 1e-3;

// Joins the pieces, in order, into one closed counter-clockwise loop: pieces
// of no length are left out, each pair of neighbours shares the midpoint of
// their two ends, and neighbouring lines on one line or arcs on one circle
// become one edge. Fails with a message when two ends are more than
// CONTOUR_GAP_LIMIT apart or the pieces do not run once around the loop.
struct LoopResult {
    Contour contour;
    std::string problem;  // "" on success
};
LoopResult closeLoop(const std::string& name, Layer layer, const std::vector<ContourPiece>& pieces);

}  // namespace bowlyn
