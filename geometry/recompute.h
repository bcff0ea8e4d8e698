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

}  // namespace bowlyn
