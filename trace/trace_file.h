#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace bowlyn {

struct TracePoint {
    double x = 0, y = 0;
};
using Polyline = std::vector<TracePoint>;

// A run of points as a file draws it, in the file's unit, y upwards: closed
// when the file closes it (an SVG subpath ended with Z, a closed polyline, a
// traced contour).
struct TracePiece {
    Polyline points;
    bool closed = false;
};

// What a reader found in one file.
struct TraceFile {
    std::vector<TracePiece> pieces;
    std::optional<double> mmPerUnit;  // nullopt when the file names no unit
    std::string problem;              // why the file could not be read; "" when it could
};

// No file we read needs more points than this once its curves are sampled;
// a file that asks for more is refused rather than filling the memory.
constexpr std::size_t TRACE_MAX_POINTS = 4000000;

// Appends points along curves, the start point left out (the caller has it),
// so that a run of curves and lines forms one polyline. Each stays a few
// hundredths of a millimetre from its curve at the size of a guitar body
// whatever the file's unit.
void appendArc(Polyline& out, double cx, double cy, double r, double start, double sweep);
void appendCubic(Polyline& out, const TracePoint& p0, const TracePoint& p1, const TracePoint& p2,
                 const TracePoint& p3);
// The arc of a DXF bulge (tan of a quarter of the sweep) from `from` to `to`.
void appendBulge(Polyline& out, const TracePoint& from, const TracePoint& to, double bulge);

// Whether every coordinate is a finite number.
bool finitePiece(const TracePiece& piece);

}  // namespace bowlyn
