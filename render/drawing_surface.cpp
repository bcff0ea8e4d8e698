#include "render/drawing_surface.h"

#include <cairo.h>

#include <cstddef>

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
    const unsigned char* row = data() + static_cast<std::size_t>(y) * stride();
    return reinterpret_cast<const uint32_t*>(row)[x];
}

void DrawingSurface::clear() {
    cairo_t* cr = cairo_create(surface_);
    paintBackground(cr, DRAWING_WIDTH, DRAWING_HEIGHT);
    cairo_destroy(cr);
}

void DrawingSurface::paint(const StrokeList& list, const ViewTransform& fitted) {
    cairo_t* cr = cairo_create(surface_);
    Painter(cr, PaintView::image(fitted)).paint(list);
    cairo_destroy(cr);
}

}  // namespace bowlyn
