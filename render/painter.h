#pragma once

#include <cstddef>
#include <vector>

#include "render/clipped_paths.h"
#include "render/stroke.h"
#include "render/view_transform.h"

typedef struct _cairo cairo_t;

namespace bowlyn {

// Where model units land on a cairo context and how wide its lines are.
// Device units are the context's user units: pixels of an image or a window,
// points on a PDF page. A caller may transform or clip the context first (a
// tile of a page, an exposed area).
//
// The 660 image: PaintView::image(fitted). A larger or zoomed window: scale
// and origin of its own, stylePixel 1, so lines, dashes and crosses keep
// their pixel sizes at any zoom. Paper at true size: scale = 72 / (model
// units per inch) points per unit, lineWidth 0.25 for fine lines, stylePixel
// 1 (dashes and crosses in points).
struct PaintView {
    // Device units per model unit on both axes; device y grows downward.
    double scale = 0.0;
    // Device position of the model origin: the centre line at the tail end.
    double originX = 0.0, originY = 0.0;
    // Device units per style pixel: the styles' line widths and dash lengths
    // and the arms of point crosses are multiplied by it.
    double stylePixel = 1.0;
    // When > 0, every line is this wide in device units whatever its style says.
    double lineWidth = 0.0;
    // Positions and radii rounded to whole pixels the way the fitted view
    // rounds them: the 660 image's own picture, and only that.
    bool wholePixels = false;

    // The pass's fitted view in whole pixels, with the styles' widths.
    static PaintView image(const ViewTransform& fitted);

    // Device position of a model point, without rounding.
    void toDevice(double x, double y, double& dx, double& dy) const;
};

// Style pixels from a point's centre to the end of each arm of its cross.
constexpr double POINT_CROSS_ARM = 4.0;

// Paints the shown strokes of a pass onto any cairo context in a view, one
// cairo stroke for each in its style; strokes recorded only are left out. Geometry that is not
// finite is left out. In whole pixels (the 660 image) so are arcs and circles whose radius would
// exceed a million device units: cairo would spend unbounded time on them. A free view paints only
// what falls inside the context's clip, so a huge construction circle crossing a close zoom still
// shows where it crosses (radii up to 1e8).
class Painter {
  public:
    Painter(cairo_t* cr, const PaintView& view) : cr_(cr), view_(view) {}

    // Both leave the context's state as they found it.
    void paint(const StrokeList& list) const;
    void paint(const Stroke& item) const;

  private:
    using Shown = std::vector<const Stroke*>;
    void stroke(const Stroke& item, const DeviceRect& visible) const;
    bool paintsWholePixelSquares(const Stroke& item) const;
    std::size_t paintSquares(const Shown& list, std::size_t first) const;
    double beginStroke(const StrokeStyle& style) const;
    cairo_t* cr_;
    PaintView view_;
};

// White with a black frame whose inner pixel shows along every edge of a
// width x height area: the 660 image's ground before each pass.
void paintBackground(cairo_t* cr, double width, double height);

}  // namespace bowlyn
