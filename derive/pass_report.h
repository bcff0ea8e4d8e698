#pragma once

#include <optional>

#include "derive/measurements.h"
#include "geometry/pass_result.h"
#include "model/depth_settings.h"

namespace bowlyn {

struct Design;
struct PassResult;

// What the user is told of one pass beside its drawing: its first problem,
// the derived values and, after a complete pass, the outline's measurements
// and the air in the design's unit (or why there are none: an outline that
// does not close, a depth that cannot be used). The window puts it into its
// labels; the command line prints the same from the pass and the design.
struct PassReport {
    std::optional<Problem> problem;
    DerivedValues derived;
    // After a complete pass only.
    std::optional<MeasureResult> measured;
    // The depths as typed, with which field's text cannot be used.
    DepthSettings depth;
};

PassReport reportPass(const PassResult& pass, const Design& design);

}  // namespace bowlyn
