#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geometry/document.h"
#include "geometry/pass_display.h"
#include "geometry/recompute.h"
#include "model/memory_form.h"
#include "render/stroke.h"
#include "session/session.h"

namespace bowlyn::testing {

// A document on its own memory form with its session, as a new window has
// them: the one starting point of every core test that needs a design.
struct TestDocument {
    MemoryForm form;
    Document doc{form};
    Session session{doc};

    // One pass shown on the form, as a click runs it; its status line.
    std::string pass() { return statusText(recomputeAndShow(doc)); }
    // The status line as the form shows it.
    std::string status() const { return form.text(STATUS_LABEL); }
    // What the pass recorded for the exports, each side a stroke of its own.
    StrokeList entities() const { return recordedStrokes(doc.drawing.strokes); }
    // Those of one kind on one layer.
    StrokeList recorded(StrokeKind kind, Layer layer) const {
        StrokeList out;
        for (const Stroke& e : entities()) {
            if (e.kind == kind && e.layer == layer)
                out.push_back(e);
        }
        return out;
    }
};

// The message of a step's problem, or "Status: OK" when it found none.
inline std::string messageOf(const std::optional<Problem>& problem) {
    return problem ? problem->message : STATUS_OK;
}

}  // namespace bowlyn::testing
