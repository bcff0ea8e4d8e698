#pragma once

#include <array>
#include <functional>
#include <vector>

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
    // The drawing shows a pass's picture, not the blank that a load leaves.
    bool passShown = false;

    OutlineRecord snapshot;  // all zero before the first snapshot
    int32_t showSnapshot = 0;

    std::array<TransPoint, TRANS_POINT_CAPACITY + 1> transPoints{};  // numbered 1 to 100
    uint32_t transPointCount = 0;
    int32_t showTransPoints = 0;

    // An outline traced from an instrument or a template (File > Import
    // outline...), in model units with the centre line at x = 0 and the
    // tail end at y = 0: a closed loop, or one half from the tail end
    // round to the neck end.
    std::vector<TransPoint> tracedOutline;
    bool tracedHalf = false;
    int32_t showTracedOutline = 0;

    // What the window shows of a pass beyond the status line, the derived
    // values and the drawing (the outline's measurements, which come from
    // the exports' contours): called once a pass is shown, `complete` when it
    // drew a complete outline, and with false when the display is reset.
    std::function<void(Document&, bool complete)> alsoShow;
};

}  // namespace bowlyn
