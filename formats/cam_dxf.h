#pragma once

#include <optional>
#include <string>

#include "formats/export_drawing.h"
#include "model/export_settings.h"

namespace bowlyn {

// A DXF text for CAM programs: a HEADER that states the unit ($INSUNITS,
// $MEASUREMENT) and the extent, a TABLES section with the line types and the
// layers with their colours, then the entities: each closed loop one closed
// polyline whose vertices carry the bulge of the arc that follows them, the
// other items as POINT, LINE, ARC and CIRCLE, the strips' texts as TEXT.
//
// Version 12 writes a loop as POLYLINE, VERTEX and SEQEND, as readers of old
// expect. Version 2000 writes it as one LWPOLYLINE, every entity with its
// handle, owner and subclass markers, and adds what such a reader needs
// beside them: the CLASSES section, the nine tables, the model and paper
// space blocks and the OBJECTS section with its root dictionary.
//
// With `flatten`, every arc and circle (a loop's bulges included) is written
// as chords none of which lies farther than `flatten` from the true curve:
// an arc as an open polyline, a circle as a closed one, a loop without
// bulges. Nullopt when that would take more chords than any file should
// hold (a tolerance far below the drawing's size).
std::optional<std::string> camDxfText(const ExportDrawing& drawing,
                                      DxfVersion version = DxfVersion::R12,
                                      std::optional<double> flatten = std::nullopt);

// Into how many chords an arc of `sweep` radians and radius r is cut so that
// none lies farther than `tolerance` from it (at least 1).
long chordCount(double r, double sweep, double tolerance);

}  // namespace bowlyn
