#pragma once

#include <string>

#include "trace/trace_file.h"

namespace bowlyn {

// The paths (and polygons, polylines, lines, rectangles) of an SVG file, with
// the transforms of their groups, in the unit of the root's width and height
// (mm, cm, in, pt or pc; none for px or a bare number), y upwards. What is
// not drawn (definitions, clip paths, masks, markers, patterns, symbols) is
// passed over.
TraceFile readSvgOutline(const std::string& bytes);

}  // namespace bowlyn
