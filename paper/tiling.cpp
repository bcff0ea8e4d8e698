#include "paper/tiling.h"

#include <cmath>

namespace bowlyn {
namespace {

// A drawing that fits to within this many millimetres needs no further tile:
// rounding must not add a row of sheets for a millionth of a millimetre.
constexpr double FIT_TOLERANCE = 1e-6;

// Tiles needed for `length`: the first covers `area`, each further one `step` more.
double tilesFor(double length, double area, double step) {
    if (length <= area + FIT_TOLERANCE)
        return 1.0;
    return std::ceil((length - area - FIT_TOLERANCE) / step) + 1.0;
}

}  // namespace

Bounds TileGrid::tile(int row, int column) const {
    Bounds b;
    b.add(column * stepX(), row * stepY());
    b.add(column * stepX() + areaWidth, row * stepY() + areaHeight);
    return b;
}

std::optional<TileGrid> tileGrid(double width, double height, double areaWidth, double areaHeight,
                                 double overlap, int maxPerSide) {
    if (!(overlap >= 0.0) || !(areaWidth > overlap) || !(areaHeight > overlap) ||
        !std::isfinite(width) || !std::isfinite(height) || width < 0.0 || height < 0.0)
        return std::nullopt;
    TileGrid g;
    g.areaWidth = areaWidth;
    g.areaHeight = areaHeight;
    g.overlap = overlap;
    const double columns = tilesFor(width, areaWidth, g.stepX());
    const double rows = tilesFor(height, areaHeight, g.stepY());
    if (columns > maxPerSide || rows > maxPerSide)
        return std::nullopt;
    g.columns = static_cast<int>(columns);
    g.rows = static_cast<int>(rows);
    g.offsetX = (g.width() - width) / 2.0;
    g.offsetY = (g.height() - height) / 2.0;
    return g;
}

std::string tileLabel(int row, int column) {
    std::string letters;
    for (int n = row + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters + std::to_string(column + 1);
}

}  // namespace bowlyn
