#pragma once

#include <optional>

#include "geometry/body_outline.h"
#include "geometry/pass_result.h"
#include "render/drawing_kinds.h"
#include "render/style.h"

namespace bowlyn {

struct Document;

// Checks the cutaway parameters against the solved outline and solves the
// cutaway into doc.outline.cutaway; construction aids go into the working
// drawing only. The first problem, or none when the cutaway is built (or the
// design has none).
std::optional<Problem> buildCutaway(Document& doc);

// The cutaway and the right-hand half of the upper outline around it, from the
// given record (the current design or the snapshot's copy).
void drawCutawaySide(Document& doc, const OutlineRecord& record, const StrokeStyle& style,
                     Layer layer);

}  // namespace bowlyn
