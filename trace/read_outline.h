#pragma once

#include <optional>
#include <string>

#include "trace/outline_loops.h"

namespace bowlyn {

// What to assume where an outline file says nothing.
struct OutlineReading {
    std::optional<double> mmPerUnit;  // the unit of a file without one (--in)
    double dpi = 0;                   // pixels per inch of a picture (--dpi); 0 when not given
};

// Reads the outline of a points file, an SVG, a DXF, or a PNG or JPEG
// picture: pictures by their first bytes, SVG and DXF by their name's
// extension or their start, points otherwise. Every file is read whole
// within a size limit of its kind before anything is made of it.
TracedOutline readOutline(const std::string& path, const OutlineReading& reading);

// The same from the file's bytes, `name` telling the kind as above.
TracedOutline outlineFromBytes(const std::string& name, const std::string& bytes,
                               const OutlineReading& reading);

}  // namespace bowlyn
