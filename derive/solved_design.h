#pragma once

#include <optional>
#include <string>

#include "geometry/body_outline.h"
#include "geometry/fret_layout.h"
#include "geometry/fretboard.h"
#include "model/depth_settings.h"
#include "render/stroke.h"

namespace bowlyn {

struct Design;
struct PassResult;

// What the exports and measurements read from one complete recompute pass:
// the solved outline with the parameters that shape it, the sound hole, the
// fingerboard's top outline and the strokes the pass drew. The
// derived solids, the file formats and the paper templates depend on this
// record alone, never on the design or the session.
struct SolvedDesign {
    OutlineRecord body;
    SoundHole soundHole;
    bool hasFretboard = false;
    FretboardTop fretboard;  // meaningful only with a fretboard
    FretLayout frets;        // the frets and slots in double precision; empty without a fretboard
    DesignUnits units = UNITS_INCH;
    DepthSettings depth;  // the body's depths and the top's thickness
    // Owned by the pass and outliving this record: what the files record and
    // the paper templates paint again.
    const StrokeList* strokes = nullptr;
};

// The solved design of a pass over `design`'s values, or nullopt unless the
// pass produced a complete outline (the condition every export refuses
// without). Its depths are the design's (designDepths).
std::optional<SolvedDesign> solvedDesign(const PassResult& pass, const Design& design);

// The refusal every export shows without a complete outline, naming the
// extension of the file asked for (".dxf", ".svg", ".pdf").
std::string outlineIncompleteMessage(const std::string& extension);

}  // namespace bowlyn
