#pragma once

namespace bowlyn {

struct Document;

// Draws the body outline of the current design (recorded on the body layer,
// with the sound hole and, in the working drawing, the centres of the tail
// and shoulder arcs) or of the snapshot (painted only, in its own colour,
// aligned with the current body at the neck end and only in the working
// drawing while the snapshot is shown). With a cutaway, the upper outline on
// its side is drawn round it.
enum class OutlineWhich { Current, Snapshot };
void drawOutline(Document& doc, OutlineWhich which);

}  // namespace bowlyn
