#include "commands/edit_commands.h"

#include "geometry/pass_display.h"

namespace bowlyn {

namespace {

void putBack(Document& doc, const FormState& state) {
    restoreForm(doc, state);
    if (doc.passShown)
        recomputeAndShow(doc);
}

}  // namespace

bool noteEdit(Design& design) {
    return design.history.note(captureForm(design));
}

bool undoEdit(Document& doc) {
    noteEdit(doc);  // a change not yet remembered is the one to undo
    if (!doc.history.canUndo())
        return false;
    putBack(doc, doc.history.undo());
    return true;
}

bool redoEdit(Document& doc) {
    if (!doc.history.canRedo())
        return false;
    putBack(doc, doc.history.redo());
    return true;
}

}  // namespace bowlyn
