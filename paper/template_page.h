#pragma once

#include <cstddef>

#include "paper/template_plan.h"

typedef struct _cairo cairo_t;

namespace bowlyn {

// Paints page `index` (from 0) of a plan onto a context whose user units are
// points with the origin at the page's top-left corner, as a PDF surface and
// GTK's print context of a whole page give it. Leaves the context's state as
// it found it.
void paintTemplatePage(cairo_t* cr, const TemplatePlan& plan, size_t index);

// The parts of a page, on a context in true millimetres (for the map).
namespace template_parts {
// A drawing laid on its grid at `scale` page millimetres per grid
// millimetre, with grid point (0, 0) at page point (x, y), fine lines.
void paintDrawing(cairo_t* cr, const TemplateDrawing& drawing, const TileGrid& grid, double scale,
                  double x, double y);
// The map: the whole grid reduced with its tiles labelled.
void paintMap(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page);
// Both rulers upright from (x, y) down.
void paintUprightRulers(cairo_t* cr, double x, double y);
}  // namespace template_parts

}  // namespace bowlyn
