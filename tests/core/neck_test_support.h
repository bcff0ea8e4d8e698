#pragma once

#include "model/design_parameters.h"
#include "test_document.h"

namespace bowlyn::testing {

// The archtop neck: body 20.65, scale 25, the neck joining at fret 14.
inline void setArchtopNeck(DesignParameters& p) {
    p.bodyLength = 20.65f;
    p.lowerBoutHalfWidth = 8.0f;
    p.scaleLength = 25.0f;
    p.neckJoinsAtFret = 14;
}

// A complete fretboard with a board-width taper, passing every check.
inline void setFretboard(DesignParameters& p) {
    setArchtopNeck(p);
    p.hasFretboard = 1;
    p.fretCount = 20;
    p.fretboardThickness = 0.25f;
    p.nutWidth = 1.75f;
    p.nutThickness = 0.25f;
    p.taperType = TAPERTYPEBOARDWIDTH;
    p.boardWidthAtFret = 2.125f;
    p.boardWidthFret = 12;
    p.fretwireThickness = 0.1f;
    p.fretwireHeight = 0.05f;
}

}  // namespace bowlyn::testing
