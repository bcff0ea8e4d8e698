#pragma once

#include "geometry/pass_result.h"

namespace bowlyn {

struct Document;

// One pass over the document's parameters: validate, solve, draw and record.
// Reads doc.finalDrawing; paints the document's drawing and fills its entity
// list, outline and neck; sets outlineComplete. The first problem ends the
// pass. Writes nothing to the form: showing the result is the caller's
// (pass_display.h).
PassResult recompute(Document& doc);

// The body outline alone (with the cutaway when the design has one), checked
// and solved as a pass checks and solves it, for callers that try many
// parameter sets (the fit to a traced outline). Nothing it paints or records
// is kept; the solved outline is in doc.outline. The sound hole, the
// fretboard, the neck and the strings are not checked.
std::optional<Problem> solveBody(Document& doc);

}  // namespace bowlyn
