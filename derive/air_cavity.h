#pragma once

#include <optional>

#include "derive/contour.h"
#include "model/units.h"

namespace bowlyn {

// The body's depth, which tapers linearly along the centre line from the
// tail (y = 0) to the neck end (y = length); a neck deeper than the tail is
// allowed. All three in one unit.
struct BodyDepth {
    double tail = 0, neck = 0, length = 0;

    double at(double y) const { return tail + (neck - tail) * (y / length); }
};

// The integral of y over the area a closed loop encloses, exact from its
// lines and arcs (positive above the x axis for a counter-clockwise loop).
double contourFirstMoment(const Contour& c);

// The air inside a body of this outline and depth, in the contour's unit
// cubed: the outline's area integrated with the depth at each y.
double airVolume(const Contour& body, const BodyDepth& depth);

// A volume in `unit` cubed as litres (1 litre = 1000 cm^3).
double litres(double volume, LengthUnit unit);

// Speed of sound in air at about 20 C, in metres a second.
constexpr double SPEED_OF_SOUND = 343.0;
// End correction of a hole in a wall, as a multiple of its radius: the air
// just outside both faces moves with the air in the hole.
constexpr double HOLE_END_CORRECTION = 1.7;

// The Helmholtz resonance of a rigid box of `volume` with a round hole of
// `holeRadius` through a top `topThickness` thick, all in `unit` (the volume
// in its cube): c / (2 pi) * sqrt(A / (V * L')) with A the hole's area and
// L' = thickness + 1.7 * radius, in Hz. Nothing when the hole or the volume
// is not greater than 0, the thickness is negative or a value is not finite.
std::optional<double> helmholtzResonance(double holeRadius, double topThickness, double volume,
                                         LengthUnit unit);

}  // namespace bowlyn
