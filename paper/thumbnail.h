#pragma once

#include <optional>
#include <string>

#include "derive/solved_design.h"

typedef struct _cairo_surface cairo_surface_t;

namespace bowlyn {

// The sizes a thumbnail may have on its longer side, in pixels: file managers
// ask for 128 to 1024.
constexpr int THUMBNAIL_MIN_SIZE = 16;
constexpr int THUMBNAIL_MAX_SIZE = 4096;
constexpr int THUMBNAIL_DEFAULT_SIZE = 256;

// What a file manager shows for a design: the drawing a paper template holds
// (body, sound hole, centre line, fretboard, frets, strings), fitted with a
// small margin on white into an image whose longer side is `size` pixels
// (THUMBNAIL_MIN_SIZE to THUMBNAIL_MAX_SIZE), as PNG bytes. nullopt when the
// image cannot be made.
std::optional<std::string> thumbnailPng(const SolvedDesign& design, int size);

// An image surface as PNG bytes; nullopt when cairo cannot encode it.
std::optional<std::string> pngBytes(cairo_surface_t* surface);

}  // namespace bowlyn
