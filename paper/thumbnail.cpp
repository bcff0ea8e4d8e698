#include "paper/thumbnail.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "paper/template_drawing.h"
#include "render/painter.h"

namespace bowlyn {

namespace {

cairo_status_t appendPng(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::optional<std::string> pngBytes(cairo_surface_t* surface) {
    std::string png;
    cairo_surface_flush(surface);
    if (cairo_surface_write_to_png_stream(surface, appendPng, &png) != CAIRO_STATUS_SUCCESS)
        return std::nullopt;
    return png;
}

std::optional<std::string> thumbnailPng(const SolvedDesign& design, int size) {
    if (!design.strokes || size < THUMBNAIL_MIN_SIZE || size > THUMBNAIL_MAX_SIZE)
        return std::nullopt;
    const TemplateDrawing drawing = templateDrawing(*design.strokes, design.units);
    const Bounds& extent = drawing.extent;
    const double longer = std::max(extent.width(), extent.height());
    if (extent.empty || !(longer > 0.0) || !std::isfinite(longer))
        return std::nullopt;

    // Lines a little heavier on a large image, so that the outline reads at
    // any size; dashes and the crosses of points in the proportions of the
    // 660 image. The margin keeps the outermost line whole.
    PaintView view;
    view.lineWidth = std::max(1.0, size / 256.0);
    view.stylePixel = size / static_cast<double>(DRAWING_WIDTH);
    const double margin = view.lineWidth + 1.0;
    view.scale = (size - 2.0 * margin) / longer;
    const auto side = [&](double length) {
        return std::clamp(static_cast<int>(std::lround(length * view.scale + 2.0 * margin)), 1,
                          size);
    };
    const int width = extent.width() >= extent.height() ? size : side(extent.width());
    const int height = extent.height() > extent.width() ? size : side(extent.height());
    // Centred: the shorter side was rounded to whole pixels.
    view.originX = (width - extent.width() * view.scale) / 2.0 - extent.minX * view.scale;
    view.originY = (height - extent.height() * view.scale) / 2.0 + extent.maxY * view.scale;

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    Painter(cr, view).paint(drawing.items);
    const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    std::optional<std::string> png = drawn ? pngBytes(surface) : std::nullopt;
    cairo_surface_destroy(surface);
    return png;
}

}  // namespace bowlyn
