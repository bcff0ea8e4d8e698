#pragma once

#include <optional>
#include <string>

#include "derive/bounds.h"

namespace bowlyn {

// A drawing of width x height millimetres laid over a grid of tiles, each
// a drawing area of areaWidth x areaHeight that overlaps its neighbours by
// `overlap`, with the drawing in the middle of what the grid covers. Grid
// coordinates are millimetres from the top-left corner of tile A1, y down.
struct TileGrid {
    double areaWidth = 0, areaHeight = 0, overlap = 0;
    int rows = 0, columns = 0;
    double offsetX = 0, offsetY = 0;  // the drawing's top-left corner on the grid

    double stepX() const { return areaWidth - overlap; }
    double stepY() const { return areaHeight - overlap; }
    // What all the tiles cover together.
    double width() const { return areaWidth + (columns - 1) * stepX(); }
    double height() const { return areaHeight + (rows - 1) * stepY(); }
    // Tile (row, column), both from 0, in grid coordinates (minY at the top).
    Bounds tile(int row, int column) const;
};

// The grid for a drawing, or nullopt when it would take more than
// `maxPerSide` tiles across or down (or the numbers make no sense: an
// overlap as wide as a tile, a drawing of no finite size).
std::optional<TileGrid> tileGrid(double width, double height, double areaWidth, double areaHeight,
                                 double overlap, int maxPerSide);

// A tile's name: its row as a letter (A to Z, then AA, AB, ...) and its
// column as a number from 1: "B2".
std::string tileLabel(int row, int column);

}  // namespace bowlyn
