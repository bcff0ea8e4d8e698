#pragma once

#include "geometry/neck.h"
#include "model/design_parameters.h"
#include "render/drawing.h"
#include "test_document.h"

namespace bowlyn::testing {

// The neck's steps of a pass, run one by one on values set by hand: what each
// step reads and fills, and the drawing they record into.
struct NeckSteps {
    DesignParameters params;
    NeckGeometry neck;
    CourseLayout courses;
    Drawing drawing;

    // What was recorded for the exports, each side a stroke of its own.
    StrokeList entities() const { return recordedStrokes(drawing.strokes); }
    // Those of one kind on one layer.
    StrokeList recorded(StrokeKind kind, Layer layer) const {
        return strokesOf(entities(), kind, layer);
    }
};

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
