#pragma once

#include "geometry/body_outline.h"
#include "render/drawing_kinds.h"
#include "render/style.h"

namespace bowlyn {

struct Document;

// Checks the cutaway parameters against the solved outline and solves the
// cutaway into doc.outline.cutaway; construction aids go into the working
// drawing only. Reports the first problem and returns false.
bool buildCutaway(Document& doc);

// The cutaway and the right-hand half of the upper outline around it, from the
// given record (the current design or the snapshot's copy). Only the current
// design fills the cutaway labels.
void drawCutawaySide(Document& doc, const OutlineRecord& record, OutlineWhich which,
                     const StrokeStyle& style, Layer layer);

}  // namespace bowlyn
