#include "geometry/fret_layout.h"

#include <cmath>

#include "geometry/neck.h"
#include "geometry/outline_pieces.h"

namespace bowlyn {
namespace {

constexpr double DEGREES_PER_RADIAN = 360.0 / CIRCLE_RADIANS;

// How far fret n lies from the saddle as a fraction of its edge's scale:
// 2^(-n/12), 1 at the nut and 0 at the saddle.
double fromSaddle(int32_t n) {
    return std::pow(2.0, -n / 12.0);
}

// Both edges widen alike with the fraction of their scale, so the two ends of
// every fret lie equally far from the centre line. The bass edge is measured
// from the perpendicular fret, whose two ends thereby share one y exactly.
struct Board {
    double trebleScale, bassScale, trebleSaddleY, squareAt;  // squareAt: fromSaddle(P)
    double nutHalf, taperHalf, taperFromSaddle;

    double halfWidth(double r) const {
        return nutHalf + (taperHalf - nutHalf) * (1.0 - r) / (1.0 - taperFromSaddle);
    }
    FretLine at(double r) const {
        const double h = halfWidth(r);
        const double trebleY = trebleSaddleY + trebleScale * r;
        if (bassScale == trebleScale)
            return {-h, trebleY, h, trebleY};
        const double squareY = trebleSaddleY + trebleScale * squareAt;
        return {-h, squareY + bassScale * (r - squareAt), h, trebleY};
    }
};

Board boardOf(const DesignParameters& p, float taperWidth, int32_t taperFret) {
    const FanScales fan = fanScales(p);
    const double crossing = fan.crossingAboveTrebleSaddle(p.neckJoinsAtFret);
    return {
        fan.treble,       fan.bass,         p.bodyLength - crossing, fromSaddle(fan.perpendicular),
        p.nutWidth / 2.0, taperWidth / 2.0, fromSaddle(taperFret)};
}

double slotWidthOf(const DesignParameters& p) {
    return std::isnan(p.fretSlotWidth) ? defaultSlotWidth(p.units) : p.fretSlotWidth;
}

}  // namespace

double FretLine::length() const {
    return std::hypot(trebleX - bassX, trebleY - bassY);
}

double FretLine::angleDegrees() const {
    return std::atan2(trebleY - bassY, trebleX - bassX) * DEGREES_PER_RADIAN;
}

double FretLayout::bassFromNut(const FretLine& f) const {
    const FretLine& nut = frets.front();
    return std::hypot(f.bassX - nut.bassX, f.bassY - nut.bassY);
}

double FretLayout::trebleFromNut(const FretLine& f) const {
    const FretLine& nut = frets.front();
    return std::hypot(f.trebleX - nut.trebleX, f.trebleY - nut.trebleY);
}

double defaultSlotWidth(DesignUnits units) {
    return units == UNITS_CM ? 0.0584 : 0.023;
}

double shortestFretLength(const DesignParameters& p, float taperWidth, int32_t taperFret) {
    return boardOf(p, taperWidth, taperFret).at(fromSaddle(1)).length();
}

FretLayout fretLayout(const DesignParameters& p) {
    FretLayout layout;
    const int32_t count = static_cast<int32_t>(p.fretCount);
    if (!p.hasFretboard || count < 1 || count > MAX_FRET_COUNT)
        return layout;
    float taperWidth = 0;
    int32_t taperFret = 0;
    computeTaper(p, taperWidth, taperFret);
    const Board board = boardOf(p, taperWidth, taperFret);
    for (int32_t n = 0; n <= count; ++n)
        layout.frets.push_back(board.at(fromSaddle(n)));
    layout.saddle = board.at(0.0);
    layout.slotWidth = slotWidthOf(p);
    layout.slotInset = std::isnan(p.fretSlotInset) ? 0.0 : p.fretSlotInset;
    return layout;
}

}  // namespace bowlyn
