#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "geometry/neck.h"
#include "geometry/pass_result.h"

namespace bowlyn {

struct Document;

enum FretMarker : int32_t { MARKER_NONE = 0, MARKER_SINGLE = 1, MARKER_DOUBLE = 2 };
// Marker of fret space i (between fret i - 1 and fret i) at index i - 1.
extern const std::array<FretMarker, 24> fretMarkerTable;

// Checks the fretboard parameters and fixes the taper in doc.neck: the first
// problem, or none. Nothing is checked without a fretboard.
std::optional<Problem> checkFretboard(Document& doc);

// The fingerboard's half-widths at the nut and at the bridge line, from the
// taper and the neck placed on the body; nothing without a fretboard.
void solveFretboardEdges(NeckGeometry& neck, const DesignParameters& p);

// Nut and bridge marks, fingerboard outline and frets (painted and recorded);
// the centre line, the side view and the fretwire faces and crowns are
// recorded only.
void drawFretboard(Document& doc);

// Position dots on the fingerboard, and side dots in the side view (recorded
// only).
void drawFretMarkers(Document& doc);

// x of the side view's base line: one unit beyond the lower bout.
float sideViewX(const Document& doc);

// The fingerboard's top outline by its corners: on each edge the nut's outer
// face (toward the headstock, the nut's thickness beyond the nut) and the
// board's end, half-way between the last fret and the place of one more.
// Reads the nut and bridge half-widths that solveFretboardEdges fills.
struct FretboardTop {
    Point trebleHead, trebleEnd, bassHead, bassEnd;  // the bass corners at negative x
};
FretboardTop fretboardTop(const DesignParameters& p, const NeckGeometry& neck);

}  // namespace bowlyn
