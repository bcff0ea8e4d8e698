#pragma once

#include <cstdint>

#include "render/painter.h"

typedef struct _cairo_surface cairo_surface_t;

namespace bowlyn {

// The 660 x 660 image of a pass, in cairo's ARGB32 layout with the true
// colours; the window shows it at its default size and view, the command
// line writes it as PNG.
class DrawingSurface {
  public:
    DrawingSurface();
    ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    cairo_surface_t* cairo() const { return surface_; }
    int width() const;
    int height() const;
    int stride() const;
    // Pixel rows, premultiplied ARGB32 in native byte order (always opaque here).
    const unsigned char* data() const;
    // 0xAARRGGBB of pixel (x, y).
    uint32_t pixel(int x, int y) const;

    // White background with the one-pixel black frame.
    void clear();
    // Paints the list over the image in the fitted view, whole pixels.
    void paint(const StrokeList& list, const ViewTransform& fitted);

  private:
    cairo_surface_t* surface_;
};

}  // namespace bowlyn
