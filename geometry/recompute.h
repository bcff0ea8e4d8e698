#pragma once

#include <optional>

#include "geometry/body_outline.h"
#include "geometry/neck.h"
#include "geometry/overlays.h"
#include "geometry/pass_result.h"
#include "model/design_parameters.h"
#include "render/stroke.h"
#include "render/view_transform.h"

namespace bowlyn {

// The working drawing shows how the outline is constructed and the overlays;
// the final drawing only the outline and what lies on it.
enum class DrawingMode { Working, Final };

// What one pass made of a design's values.
struct PassResult {
    // The first problem; none when every check passed and the outline is complete.
    std::optional<Problem> problem;
    // Present only after a complete pass: a pass that stops shows no values.
    DerivedValues derived;
    // The values the pass was given (it reads a strings-per-course of 0 as 1).
    DesignParameters params;
    // The outline as far as the pass solved it (complete only when ok()),
    // with the sound hole, the neck and the courses of the strings.
    OutlineRecord outline;
    SoundHole soundHole;
    NeckGeometry neck;
    CourseLayout courses;
    // Everything the pass drew, as far as it got; what the exports write
    // only when ok().
    StrokeList strokes;
    // The view the pass fitted to the body, once its length and width had
    // passed their checks; none for a pass that stopped before.
    std::optional<ViewTransform> view;

    bool ok() const { return !problem.has_value(); }
};

// One pass over a design's values: validate, solve, draw and record, in the
// working or the final drawing, the overlays shown in the working one. The
// first problem ends the pass. Paints nothing: whoever shows the result
// paints its strokes.
PassResult recompute(const DesignParameters& params, const Overlays& overlays, DrawingMode mode);

// The body outline alone (with the cutaway when the design has one), checked
// and solved as a pass checks and solves it, for callers that try many
// parameter sets (the fit to a traced outline). Nothing it records is kept;
// the solved outline goes to `outline`. The fretboard, the neck and the
// strings are not checked.
std::optional<Problem> solveBody(const DesignParameters& params, BodyOutline& outline);

}  // namespace bowlyn
