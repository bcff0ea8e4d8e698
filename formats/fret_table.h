#pragma once

#include <array>
#include <string>
#include <vector>

#include "geometry/fret_layout.h"
#include "model/units.h"

namespace bowlyn {

// The fret table a builder marks a board from: one row for the nut (fret 0),
// each fret and the saddle. Lengths in one unit: `bass` and `treble` are
// the distances from the nut along that edge (the whole edge on the saddle's
// row), `bassY` and `trebleY` the heights of the row's two ends in the
// design's frame (tail end 0), `angle` its angle from square to the centre
// line in degrees, positive when the bass end lies nearer the bridge.
struct FretTableRow {
    std::string name;  // "0", "1", ..., "saddle"
    double bass = 0, treble = 0, bassY = 0, trebleY = 0, angle = 0;
};

constexpr std::array<const char*, 6> FRET_TABLE_COLUMNS = {"fret",   "bass",     "treble",
                                                           "bass y", "treble y", "angle"};

// Why a design has no fret table.
constexpr const char* FRET_TABLE_NEEDS_OUTLINE =
    "A complete body outline must be successfully generated before its frets can be listed.";
constexpr const char* FRET_TABLE_NEEDS_FRETBOARD =
    "The design has no fretboard, so it has no frets to list.";

std::vector<FretTableRow> fretTable(const FretLayout& layout, LengthUnit designUnit,
                                    LengthUnit unit);

// The cells of a row as text: every number to `digits` significant digits
// (12 for the command line: 1e-9 of any scale),
// or with `decimals` fixed decimals when `digits` is 0, as a workshop reads
// it off paper or a screen.
std::array<std::string, 6> fretTableCells(const FretTableRow& row, int digits, int decimals = 0);

// Decimals a workshop reads lengths to: 0.0001 in, 0.01 mm, 0.001 cm.
int workshopDecimals(LengthUnit unit);

// The table as the command line prints it: a header line and one line a row,
// tab-separated, numbers to 12 significant digits.
std::string fretTableText(const std::vector<FretTableRow>& rows);

}  // namespace bowlyn
