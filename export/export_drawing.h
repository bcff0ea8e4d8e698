#pragma once

#include <optional>
#include <string>
#include <vector>

#include "export/measurements.h"
#include "export/outline_contours.h"
#include "export/side_strips.h"
#include "export/units.h"

namespace bowlyn {

// A drawing layer of an exported file.
struct ExportLayer {
    std::string name;
    int dxfColour = 7;      // AutoCAD colour index
    std::string svgColour;  // "#rrggbb"
};

// A recorded item that is no closed loop, in the export's unit, with the
// values of its kind: a point (x, y), a line (x1, y1, x2, y2), an arc (centre
// x, centre y, radius, start and end angle in degrees counter-clockwise, as
// recorded) or a circle (centre x, centre y, radius).
struct ExportItem {
    enum class Kind { Point, Line, Arc, Circle };
    Kind kind = Kind::Point;
    size_t layer = 0;
    double v[5] = {};
};

struct ExportLoop {
    size_t layer = 0;
    Contour contour;
};

// A text of a template: at (x, y), `height` tall, aligned on that point.
struct DrawingText {
    size_t layer = 0;
    TemplateText text;
};

// Everything a CAM file or an SVG holds, in its unit: the closed loops, the
// open items of the entity list (each in the order the pass recorded it) and
// of the templates, the templates' texts, the layers and the extent of it
// all. Every number is finite.
struct ExportDrawing {
    LengthUnit unit = LengthUnit::Inch;
    std::vector<ExportLayer> layers;
    std::vector<ExportLoop> loops;
    std::vector<ExportItem> items;  // in the order the pass recorded them, then the templates'
    std::vector<DrawingText> texts;
    Bounds extent;
    // How far the body's drawing reaches (the extent without the side
    // strips): the numbers' precision follows it, so that strips below the
    // drawing never round the body's own numbers more coarsely.
    double bodyReach = 0.0;
};

// What an export adds beyond the recorded drawing. Side strips come with
// the design whenever both of its depths are greater than 0.
struct ExportOptions {
    std::optional<LengthUnit> unit;       // the design's own when not given
    std::optional<double> mouldDistance;  // in the export's unit: the mould's outline
};

// The five layers of every drawing: "reflines", "body", "fretboard", "frets",
// "strings".
std::vector<ExportLayer> standardLayers();
// The layers of the side strips and of the mould, added when a drawing has them.
ExportLayer sidesLayer();
ExportLayer mouldLayer();

struct ExportDrawingResult {
    ExportDrawing drawing;
    std::string problem;  // "" on success
};

// The drawing of a complete pass in the options' unit. Recorded lines and
// arcs that lie on a closed loop are left to the loop; a piece of the
// recorded body outline that lies on no loop is refused, since the loop would
// then be missing part of the body. The mould's outline lies round the body;
// the side strips, when the design has depths, lie below everything else,
// each with its tail end on the left. A depth that cannot be used or a mould
// that cannot be drawn refuses the drawing with its message.
ExportDrawingResult exportDrawing(const SolvedDesign& design, const ExportOptions& options);
ExportDrawingResult exportDrawing(const SolvedDesign& design, std::optional<LengthUnit> unit);

}  // namespace bowlyn
