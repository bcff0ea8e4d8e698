#pragma once

#include "geometry/document.h"

namespace bowlyn {

// After a committed change of the form (an entry left, a stepper, a switch,
// the units, a load): remembers the form as it now is, for undo. True when
// something changed since the last time.
bool noteEdit(Design& design);

// The Edit menu. Undo puts back every text, switch and value as they were
// before the last committed change, redo as they were after it; the design
// is redrawn when the drawing shows a pass, and left blank when it shows the
// blank of a load. The file name stays; the title's "*" follows the texts.
// False when there was nothing to undo or redo.
bool undoEdit(Document& doc);
bool redoEdit(Document& doc);

}  // namespace bowlyn
