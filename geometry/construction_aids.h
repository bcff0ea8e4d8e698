#pragma once

#include "geometry/body_outline.h"
#include "geometry/cutaway.h"
#include "model/design_parameters.h"

namespace bowlyn {

class Drawing;

// What a pass draws beside the design itself, from what the checks and the
// solvers gave it: the reference geometry of every picture and the working
// drawing's construction aids. None of it is recorded for the exports.

// The grid (in the view the pass fitted), the body's bounding rectangle and
// the centre line; the proportion guides in the working drawing only.
void drawReferenceGeometry(Drawing& d, const DesignParameters& p, bool working);

// A bout's width line at the height of its circles, the primary circle and,
// with an increment, the secondary circle, each with a cross at its centre.
void drawBoutConstruction(Drawing& d, float halfWidth, const BoutCircles& bout);
// The waist's width line, its circle and the circle's centre.
void drawWaistConstruction(Drawing& d, float halfWidth, const Circle& waist);
// The tick across the outer end of the neck flat, when there is one.
void drawNeckFlatTick(Drawing& d, const DesignParameters& p);
// The cutaway's construction lines and circles, as far as it was solved.
void drawCutawayConstruction(Drawing& d, const CutawayConstruction& c);

}  // namespace bowlyn
