#pragma once

#include <string>

#include "trace/trace_file.h"

namespace bowlyn {

// The lines and curves of an ASCII DXF file's ENTITIES section: LINE, ARC,
// LWPOLYLINE and POLYLINE (with their bulges), SPLINE (its control points
// and knots, or its fit points when it has no control points). The unit is
// the header's $INSUNITS, none when it is missing or 0 (unitless). Anything
// else in the file is passed over.
TraceFile readDxfOutline(const std::string& bytes);

}  // namespace bowlyn
