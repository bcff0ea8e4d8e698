#pragma once

#include <optional>
#include <string>

#include "trace/trace_file.h"

namespace bowlyn {

// The outline a file holds, in millimetres, in order along it.
struct TracedOutline {
    Polyline points;
    // One half of a body: the points run from one end of the centre line to
    // the other (the line itself left out).
    bool half = false;
    std::string problem;     // why there is no outline; "" when there is one
    bool fileError = false;  // the file itself could not be read (missing, too large)
    bool inches = false;     // the file's unit (or the one given for it) is the inch
};

// Fewer points than this cannot tell the body's dozen dimensions apart.
constexpr size_t OUTLINE_MIN_POINTS = 20;
// Bodies of anything from a small ukulele to a bass lie within these lengths.
constexpr double OUTLINE_MIN_MM = 50;
constexpr double OUTLINE_MAX_MM = 3000;

// Joins a file's pieces into closed loops where their ends meet, and takes
// the largest: a closed loop, a half closed by its centre line, or an open
// run from one end of a centre line to the other that stays on one side of
// it (a half). `unit` is what to use where the file names none (millimetres
// per unit); `unitHint` says how to give one. Refuses a loop that crosses
// itself, has too few points or a size no body has.
TracedOutline outlineOf(const TraceFile& file, std::optional<double> unit,
                        const std::string& unitHint);

// `count` points evenly spaced along the polyline (round the loop when
// `closed`), the first at its start.
Polyline resampled(const Polyline& points, bool closed, size_t count);

// Whether two edges of the loop (or of the open run, when not `closed`)
// cross; neighbouring edges may share their end.
bool selfCrossing(const Polyline& points, bool closed);

}  // namespace bowlyn
