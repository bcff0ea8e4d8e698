#pragma once

#include <deque>
#include <string>
#include <vector>

#include "model/design_parameters.h"

namespace bowlyn {

struct Design;

// Everything the form shows of a design and the values behind it: the text
// of every entry, the state of every switch, the units, and the stored
// parameters (which differ from the texts while a typed value is not yet
// committed).
struct FormState {
    std::vector<std::string> controls;  // one per control of the field table
    int units = 0;
    DesignParameters params{};

    bool operator==(const FormState& other) const;
    bool operator!=(const FormState& other) const { return !(*this == other); }
};

FormState captureForm(const Design& design);
// Puts the form and the values back as they were: texts, switches with the
// containers they show or make sensitive, units, then the stored values.
void restoreForm(Design& design, const FormState& state);

// The committed changes of one open design, for undo and redo. Each change
// is a state of the form; the history holds the states before and after
// the current one. Keeps the latest CAPACITY changes.
class EditHistory {
  public:
    static constexpr size_t CAPACITY = 200;

    // Forgets everything: `now` is where the history begins.
    void start(FormState now);
    // After a committed change: remembers `now` if it differs from the last
    // state remembered, and forgets what could have been redone. Ignored
    // while paused. True when remembered.
    bool note(FormState now);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The state before the current one, which becomes current; the caller
    // puts it in the form. Only when canUndo() / canRedo().
    const FormState& undo();
    const FormState& redo();

    // While a command changes the form in many steps (a load, a restore),
    // the steps are not changes of their own.
    void pause() { ++paused_; }
    void resume() { --paused_; }
    bool paused() const { return paused_ > 0; }

  private:
    FormState current_;
    std::deque<FormState> undo_;
    std::vector<FormState> redo_;
    int paused_ = 0;
};

// Pauses a history for as long as it lives.
class HistoryPause {
  public:
    explicit HistoryPause(EditHistory& history) : history_(history) { history_.pause(); }
    ~HistoryPause() { history_.resume(); }
    HistoryPause(const HistoryPause&) = delete;
    HistoryPause& operator=(const HistoryPause&) = delete;

  private:
    EditHistory& history_;
};

}  // namespace bowlyn
