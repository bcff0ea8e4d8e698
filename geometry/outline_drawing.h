#pragma once

namespace bowlyn {

class Drawing;
struct OutlineRecord;
struct SoundHole;

// The body outline of the current design, recorded on the body layer, with
// the sound hole and, with `marks` (the working drawing), the centres of the
// tail and shoulder arcs. With a cutaway, the upper outline on its side is
// drawn round it.
void drawCurrentOutline(Drawing& d, const OutlineRecord& record, const SoundHole& hole, bool marks);
// The outline of the snapshot, painted only, in its own colour, aligned at
// the neck end with the current body of length `bodyLength`.
void drawSnapshotOutline(Drawing& d, const OutlineRecord& snapshot, float bodyLength);

}  // namespace bowlyn
