#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "geometry/neck.h"
#include "geometry/pass_result.h"

namespace bowlyn {

class Drawing;

enum FretMarker : int32_t { MARKER_NONE = 0, MARKER_SINGLE = 1, MARKER_DOUBLE = 2 };
// Marker of fret space i (between fret i - 1 and fret i) at index i - 1.
extern const std::array<FretMarker, 24> fretMarkerTable;

// Checks the fretboard parameters and fixes the taper in `neck`: the first
// problem, or none. Nothing is checked without a fretboard.
std::optional<Problem> checkFretboard(const DesignParameters& p, NeckGeometry& neck);

// The fingerboard's half-widths at the nut and at the bridge line, from the
// taper and the neck placed on the body; nothing without a fretboard.
void solveFretboardEdges(NeckGeometry& neck, const DesignParameters& p);

// Nut and bridge marks, fingerboard outline and frets (painted and recorded);
// the centre line, the side view and the fretwire faces and crowns are
// recorded only.
void drawFretboard(Drawing& d, const DesignParameters& p, const NeckGeometry& neck);

// Position dots on the fingerboard, and side dots in the side view (recorded
// only); double dots sit between the outer courses of the strings.
void drawFretMarkers(Drawing& d, const DesignParameters& p, const NeckGeometry& neck,
                     const CourseLayout& courses);

// x of the side view's base line: one unit beyond the lower bout.
float sideViewX(const DesignParameters& p);

// The fingerboard's top outline by its corners: on each edge the nut's outer
// face (toward the headstock, the nut's thickness beyond the nut) and the
// board's end, half-way between the last fret and the place of one more.
// Reads the nut and bridge half-widths that solveFretboardEdges fills.
struct FretboardTop {
    Point trebleHead, trebleEnd, bassHead, bassEnd;  // the bass corners at negative x
};
FretboardTop fretboardTop(const DesignParameters& p, const NeckGeometry& neck);

}  // namespace bowlyn
