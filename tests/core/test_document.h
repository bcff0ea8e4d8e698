#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geometry/pass_texts.h"
#include "geometry/recompute.h"
#include "model/output_table.h"
#include "render/drawing_surface.h"
#include "render/stroke.h"
#include "session/display.h"
#include "session/session.h"

namespace bowlyn::testing {

// The strokes of one kind on one layer.
inline StrokeList strokesOf(const StrokeList& strokes, StrokeKind kind, Layer layer) {
    StrokeList out;
    for (const Stroke& e : strokes) {
        if (e.kind == kind && e.layer == layer)
            out.push_back(e);
    }
    return out;
}

// What a session told its display, in types: the window's labels as a test
// reads them.
struct RecordedDisplay : Display {
    std::string status = STATUS_OK;
    FieldSet marked;
    int designsShown = 0, passesShown = 0, blanks = 0, editingStarted = 0;

    void showDesign(const Design&) override { ++designsShown; }
    void showPass(const PassResult& pass, const Design&) override {
        ++passesShown;
        status = statusText(pass);
        marked = pass.problem ? pass.problem->fields : FieldSet{};
    }
    void showBlank() override {
        ++blanks;
        status = STATUS_OK;
        marked = FieldSet{};
    }
    void showStatus(const std::string& text) override { status = text; }
    void startEditing() override { ++editingStarted; }

    // How often the drawing was shown anew: a pass's picture or a blank.
    int drawingsShown() const { return passesShown + blanks; }
};

// A headless session with its display, as a new window has them: the one
// starting point of every core test that needs a design.
struct TestDocument {
    TestDocument() { session.display = &display; }
    TestDocument(const TestDocument&) = delete;
    TestDocument& operator=(const TestDocument&) = delete;

    RecordedDisplay display;
    Session session;
    DrawingSurface image_;
    Design& design = session.design;
    Overlays& overlays = session.overlays;

    // One pass shown, as a click runs it; its status line.
    std::string pass() { return statusText(session.runPass()); }
    // The status line as the display shows it.
    const std::string& status() const { return display.status; }
    // The last pass (one must have run).
    const PassResult& last() const { return *session.pass(); }
    // The derived values' texts of the last pass, in the table's order, and
    // the one of an output (outputs::TAIL_ARC_CENTRE).
    std::vector<std::string> labels() const {
        const auto texts = derivedValueTexts(last().derived);
        return {texts.begin(), texts.end()};
    }
    std::string label(int output) const {
        const std::vector<int> derived = outputsOf(OutputKind::Derived);
        for (size_t i = 0; i < derived.size(); ++i) {
            if (derived[i] == output)
                return labels()[i];
        }
        return "no such output";
    }
    // The 660 image of the last pass, painted as the window and `render` paint it.
    const DrawingSurface& image() {
        image_.clear();
        image_.paint(last().strokes, session.fittedView());
        return image_;
    }
    // What the pass recorded for the exports, each side a stroke of its own.
    StrokeList entities() const { return recordedStrokes(last().strokes); }
    // Those of one kind on one layer.
    StrokeList recorded(StrokeKind kind, Layer layer) const {
        return strokesOf(entities(), kind, layer);
    }
};

// The message of a step's problem, or "Status: OK" when it found none.
inline std::string messageOf(const std::optional<Problem>& problem) {
    return problem ? problem->message : STATUS_OK;
}

}  // namespace bowlyn::testing
