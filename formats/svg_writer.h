#pragma once

#include <string>

#include "formats/export_drawing.h"

namespace bowlyn {

// An SVG of the drawing at true size: width and height in the drawing's unit
// with a viewBox of the same extent (one user unit is one of that unit): the
// drawing with a margin of SVG_MARGIN_MM round it, y pointing down as SVG
// wants it. One group per layer, marked as an Inkscape
// layer; each closed loop one <path> of lines and exact arcs closed with Z;
// circles as <circle>, open lines and arcs as paths, points as small
// crosses, texts as <text>; hairline strokes of 0.1 mm and no fill. `title` (any bytes) becomes
// the <title> when not empty.
std::string svgText(const ExportDrawing& drawing, const std::string& title);

// Arms of the cross that marks a point, in millimetres.
constexpr double SVG_POINT_ARM_MM = 1.0;
constexpr double SVG_STROKE_MM = 0.1;
// Room round the drawing on the canvas, so that the outermost hairlines are
// not cut in half at its edge.
constexpr double SVG_MARGIN_MM = 1.0;

// Text for XML character data and attribute values: markup characters
// escaped, bytes that are not valid UTF-8 replaced by U+FFFD and control
// characters that XML 1.0 forbids left out.
std::string xmlEscaped(const std::string& text);

}  // namespace bowlyn
