#pragma once

#include <array>
#include <functional>

#include "geometry/body_outline.h"
#include "geometry/neck.h"
#include "geometry/overlays.h"
#include "model/design.h"
#include "render/drawing.h"

namespace bowlyn {

// One open design with everything a recompute pass reads and writes. The GTK
// shell owns one; tests and the command line make as many as they like.
struct Document : Design {
    explicit Document(Form& f) : Design(f) {}

    Drawing drawing;
    DesignParameters drawnParams;  // the values of the last complete pass
    BodyOutline outline;
    SoundHole soundHole;
    NeckGeometry neck;
    CourseLayout courses;

    OutlineRecord snapshot;  // all zero before the first snapshot
    int32_t showSnapshot = 0;

    std::array<TransPoint, TRANS_POINT_CAPACITY + 1> transPoints{};  // numbered 1 to 100
    uint32_t transPointCount = 0;
    int32_t showTransPoints = 0;

    // Shows what is measured from a complete pass beyond the derived values
    // (the export layer's work, which the geometry does not reach): called
    // after the display is reset and after every pass. The window sets it;
    // without it nothing more is shown.
    std::function<void(Document&)> showMeasurements;
};

}  // namespace bowlyn
