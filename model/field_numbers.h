#pragma once

#include "model/field_table.h"

namespace bowlyn::fields {

// The numbers of the fields that the pass's checks name beside those of
// field_table.h, so that a problem can say which entries are wrong.
constexpr int LOWER_BOUT_WIDTH = 4, NECK_FLAT_LENGTH = 5, SOUND_HOLE_DIAMETER = 8,
              SOUND_HOLE_OFFSET = 9, LOWER_BOUT_RADIUS = 10, LOWER_BOUT_OFFSET = 11,
              UPPER_BOUT_WIDTH = 12, UPPER_BOUT_RADIUS = 13, UPPER_BOUT_OFFSET = 14,
              WAIST_WIDTH = 15, WAIST_RADIUS = 16, WAIST_OFFSET = 17, CUTAWAY_SIDE_OFFSET = 20,
              CUTAWAY_DEPTH = 21, CUTAWAY_WIDTH = 22, CUTAWAY_VALLEY_RADIUS = 23,
              CUTAWAY_POINT_RADIUS = 24, SOUND_HOLE_X_OFFSET = 33, LOWER_BOUT_INCREMENT = 34,
              UPPER_BOUT_INCREMENT = 35, FRET_COUNT = 37, FRETBOARD_THICKNESS = 38,
              NUT_THICKNESS = 39, FRETWIRE_THICKNESS = 40, FRETWIRE_HEIGHT = 41,
              MARKER_DIAMETER = 43, SIDE_MARKER_DIAMETER = 44, STRINGS_PER_COURSE = 47,
              COURSE_SPACING = 48;

}  // namespace bowlyn::fields
