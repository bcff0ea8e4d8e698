#pragma once

#include <optional>
#include <string>

#include "geometry/body_outline.h"
#include "geometry/fret_layout.h"
#include "geometry/fretboard.h"
#include "model/depth_settings.h"
#include "render/stroke.h"

namespace bowlyn {

struct Document;

// What the exports and measurements read from one complete recompute pass:
// the solved outline with the parameters that shape it, the sound hole, the
// fingerboard's top outline and the strokes the pass drew. The
// derived solids, the file formats and the paper templates depend on this
// record alone, never on the document.
struct SolvedDesign {
    OutlineRecord body;
    SoundHole soundHole;
    bool hasFretboard = false;
    FretboardTop fretboard;  // meaningful only with a fretboard
    FretLayout frets;        // the frets and slots in double precision; empty without a fretboard
    int32_t units = 0;       // 0 inch, 1 centimetre
    DepthSettings depth;     // the body's depths and the top's thickness
    // Owned by the pass and outliving this record: what the files record and
    // the paper templates paint again.
    const StrokeList* strokes = nullptr;
};

// The solved design of the last pass, or nullopt unless that pass produced a
// complete outline (the condition every export refuses without).
std::optional<SolvedDesign> solvedDesign(const Document& doc);

// The depths and the top's thickness as the design's form holds them, read
// against its body length: what measurements, exports and `check` refuse.
DepthSettings designDepths(const Document& doc);

// The design's name from its form, for the title of an exported file; "" when
// the name is blank.
std::string designTitle(const Document& doc);

// The refusal every export shows without a complete outline, naming the
// extension of the file asked for (".dxf", ".svg", ".pdf").
std::string outlineIncompleteMessage(const std::string& extension);

}  // namespace bowlyn
