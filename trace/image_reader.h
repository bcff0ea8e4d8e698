#pragma once

#include <string>

#include "trace/trace_file.h"

namespace bowlyn {

// A scanned or photographed template, PNG or JPEG, at `dpi` pixels per inch
// (0: not given, so no unit). The picture is split into dark and light at the
// level that best separates its two kinds of pixels, the colour of most of
// its border taken as the paper's; potrace outlines what stands out, and the
// largest closed outline is the one piece returned. A drawn line gives the
// line's middle, a filled shape or a cut-out template its edge.
TraceFile readImageOutline(const std::string& bytes, double dpi);

// Pictures larger than this are refused before they are decoded.
constexpr long long IMAGE_MAX_PIXELS = 100000000;
constexpr int IMAGE_MAX_SIDE = 30000;

}  // namespace bowlyn
