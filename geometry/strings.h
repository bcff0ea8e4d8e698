#pragma once

#include <cstdint>
#include <optional>

#include "geometry/neck.h"
#include "geometry/pass_result.h"
#include "model/design_parameters.h"

namespace bowlyn {

class Drawing;

enum CourseGapMode : int32_t {
    GAP_EQUAL = 0,             // clear space between neighbouring courses
    GAP_CENTRE_TO_CENTRE = 1,  // distance between neighbouring course centres
};

// The space between neighbouring courses when n courses (n >= 2) fill the span
// from -(halfWidth - setback) to halfWidth - setback. widths is indexed 1 to n.
float courseGap(float halfWidth, int32_t n, const float (&widths)[MAX_STRINGS + 1], float setback,
                int32_t mode);

// Checks the strings and fills `courses`: the first problem, or none.
// Nothing is checked without strings. A strings-per-course of 0 is read as
// 1 (storeCourseDefault), in `p` the pass reads.
std::optional<Problem> checkStrings(DesignParameters& p, CourseLayout& courses);
// How a pass reads the committed values: with strings, a strings-per-course
// of 0 is 1.
void storeCourseDefault(DesignParameters& p);

// Every string from the nut's outer face to the bridge line; needs the
// fretboard's half-widths, so draws only with a fretboard.
void drawStrings(Drawing& d, const DesignParameters& p, const NeckGeometry& neck,
                 const CourseLayout& courses);

// One string of diameter d: its centre line painted and recorded, its two
// edges recorded only.
void drawString(Drawing& drawing, float x1, float y1, float x2, float y2, float d);

}  // namespace bowlyn
