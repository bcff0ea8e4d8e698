#include "render/drawing_surface.h"

#include <cairo.h>

#include "render/style.h"
#include "render/view_transform.h"

namespace bowlyn {

DrawingSurface::DrawingSurface()
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, DRAWING_WIDTH, DRAWING_HEIGHT)) {
    clear();
}

DrawingSurface::~DrawingSurface() {
    cairo_surface_destroy(surface_);
}

int DrawingSurface::width() const {
    return cairo_image_surface_get_width(surface_);
}
int DrawingSurface::height() const {
    return cairo_image_surface_get_height(surface_);
}
int DrawingSurface::stride() const {
    return cairo_image_surface_get_stride(surface_);
}

const unsigned char* DrawingSurface::data() const {
    cairo_surface_flush(surface_);
    return cairo_image_surface_get_data(surface_);
}

uint32_t DrawingSurface::pixel(int x, int y) const {
    const unsigned char* row = data() + static_cast<size_t>(y) * stride();
    return reinterpret_cast<const uint32_t*>(row)[x];
}

void DrawingSurface::clear() {
    cairo_t* cr = cairo_create(surface_);
    const StrokeStyle& bg = styleBackground;
    cairo_set_source_rgba(cr, bg.red, bg.green, bg.blue, bg.alpha);
    cairo_paint(cr);
    const StrokeStyle& frame = styleFrame;
    cairo_set_line_width(cr, frame.lineWidth);
    cairo_set_source_rgba(cr, frame.red, frame.green, frame.blue, frame.alpha);
    cairo_rectangle(cr, 0.0, 0.0, DRAWING_WIDTH, DRAWING_HEIGHT);
    cairo_stroke(cr);
    cairo_destroy(cr);
}

bool DrawingSurface::writePng(const std::string& path) const {
    cairo_surface_flush(surface_);
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace bowlyn
