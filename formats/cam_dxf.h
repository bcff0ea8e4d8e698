#pragma once

#include <string>

#include "formats/export_drawing.h"

namespace bowlyn {

// A DXF R12 text for CAM programs: a HEADER that states the unit ($INSUNITS,
// $MEASUREMENT) and the extent, a TABLES section with the CONTINUOUS line
// type and the layers with their colours, then the entities: each closed
// loop one closed POLYLINE whose VERTEX entities carry the bulge of the arc
// that follows them, the other items as POINT, LINE, ARC and CIRCLE, the
// templates' texts as TEXT. Lines
// end with CR LF; numbers use "." whatever the locale.
std::string camDxfText(const ExportDrawing& drawing);

}  // namespace bowlyn
