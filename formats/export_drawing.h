#pragma once

#include <optional>
#include <string>
#include <vector>

#include "derive/measurements.h"
#include "derive/outline_contours.h"
#include "derive/side_strips.h"
#include "model/export_settings.h"
#include "model/units.h"
#include "render/stroke.h"

namespace bowlyn {

// A drawing layer of an exported file and how the files that colour their
// layers show it.
struct ExportLayer {
    Layer layer = Layer::Body;
    int dxfColour = 7;  // AutoCAD colour index
    const char* svgColour = "#000000";
};

// A text of a template: at (x, y), `height` tall, aligned on that point.
struct DrawingText {
    Layer layer = Layer::Sides;
    TemplateText text;
};

// Everything a CAM file or an SVG holds, in its unit: the closed loops, the
// recorded strokes that lie on none of them (each side a stroke of its own,
// in the order the pass drew them) and the strips' ticks, the strips' texts,
// the layers and the extent of it all. Every number is finite.
struct ExportDrawing {
    LengthUnit unit = LengthUnit::Inch;
    std::vector<ExportLayer> layers;  // in the order of the files' layer tables
    std::vector<Contour> loops;
    StrokeList items;  // in the order the pass recorded them, then the strips' ticks
    std::vector<DrawingText> texts;
    Bounds extent;
    // How far the body's drawing reaches (the extent without the side
    // strips): the numbers' precision follows it, so that strips below the
    // drawing never round the body's own numbers more coarsely.
    double bodyReach = 0.0;

    // The look of a layer of the drawing.
    const ExportLayer& layer(Layer layer) const;
};

// How a layer looks in the files: colours after the window's strokes.
ExportLayer exportLayer(Layer layer);

// A recorded arc's or circle's centre, radius, start and counter-clockwise
// sweep in radians, an arc's from its angles as the files record them.
struct StrokeCurve {
    double cx, cy, r, start, sweep;
};
StrokeCurve strokeCurve(const Stroke& s);

struct ExportDrawingResult {
    ExportDrawing drawing;
    std::string problem;  // "" on success
    std::string notice;   // the closed loops' (ContourSet::notice)
};

// The drawing of a complete pass in the unit chosen (the design's own when
// none is), with the mould's outline when a distance is chosen; side strips
// come with the design whenever both of its depths are greater than 0.
// Recorded lines and
// arcs that lie on a closed loop are left to the loop; a piece of the
// recorded body outline that lies on no loop is refused, since the loop would
// then be missing part of the body. The mould's outline lies round the body;
// the side strips, when the design has depths, lie below everything else,
// each with its tail end on the left. A depth that cannot be used or a mould
// that cannot be drawn refuses the drawing with its message.
ExportDrawingResult exportDrawing(const SolvedDesign& design, const ExportSettings& settings);
ExportDrawingResult exportDrawing(const SolvedDesign& design, std::optional<LengthUnit> unit);

}  // namespace bowlyn
