#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "geometry/overlays.h"
#include "geometry/recompute.h"
#include "model/design.h"
#include "render/drawing_view.h"

namespace bowlyn {

class Display;

// The file a loaded design belongs to. Every state of the history from that
// load on shares it, so a save names the file for all of them, and an undo
// back across the load finds the file the earlier design belonged to.
struct DesignFile {
    std::string name;       // as opened or last saved; "" before the first save
    std::string savedText;  // the parameter-file text last opened or saved
};

// What the user sees at one moment, as one value: the design (every text,
// switch and choice as shown, and the values as stored), the file it
// belongs to, and whether a drawing was shown and in which mode.
struct SessionState {
    Design design;
    std::shared_ptr<DesignFile> file;
    DrawingMode mode = DrawingMode::Working;
    bool drawingShown = false;
    // The design's lengths over what they were when the session began, after
    // conversions to the other unit: a step back across a conversion shows
    // the same part of the instrument at the same size.
    double lengthScale = 1.0;
};

// The window's session: the design the form edits, the overlays, the drawing
// mode and the last pass, the file the design belongs to, the undo history
// and the view of the drawing. Undo and redo step between whole states, one
// step per user action, so the form, the stored values, the title and the
// file that Save writes always agree. Headless: the window and the tests
// make one; what it shows goes to its Display, when it has one.
class Session {
  public:
    static constexpr size_t UNDO_DEPTH = 200;

    // Begins with a fresh design (see restart()).
    Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Design design;
    Overlays overlays;
    DrawingMode mode = DrawingMode::Working;  // of the next pass
    // Where what the session holds is shown; none for a headless session.
    Display* display = nullptr;

    // ---- Passes

    // One pass over the design's values in the current mode, shown: what
    // every command that asks for a drawing does.
    const PassResult& runPass();
    // A pass over the design's values becomes the last one, shown.
    const PassResult& showPass(PassResult pass);
    // The last pass since the design was loaded, or nullptr.
    const PassResult* pass() const { return pass_ ? &*pass_ : nullptr; }
    // Whether the last pass drew a complete outline: what every export and
    // the snapshot need.
    bool complete() const { return pass_ && pass_->ok(); }
    // Whether the drawing shows a pass's picture, not the blank of a load.
    bool passShown() const { return passShown_; }
    // The view the latest pass that got that far fitted to the body.
    const ViewTransform& fittedView() const { return fitted_; }
    // The drawing blank, as a load leaves it: no pass, nothing shown.
    void blank();
    // Before the outline of the last complete pass is exported or kept: when a
    // value was committed since, the pass is run again and shown (in the
    // current drawing mode), so that what leaves the program is the design as
    // the form holds it. True when a complete outline of the current values is
    // there.
    bool bringPassUpToDate();
    // A line for the status line in place of the pass's.
    void showStatus(const std::string& text);

    // ---- The file

    // The file the design was opened from or last saved to; "" for none.
    const std::string& fileName() const { return file_->name; }
    // The file Save writes without asking: the file name with ".bowlyn"
    // added unless it ends in it; "" where Save asks for a name.
    std::string saveTarget() const;
    // Whether the form shows anything else than the text last saved or
    // opened, typed text that no entry has committed yet included.
    bool unsavedChanges() const;
    // The design was written to `name`: it belongs to that file now, and so
    // does every earlier state of it; any other design of the history that
    // Save would write there compares with what the file now holds.
    void saved(const std::string& name);
    // The folder the next file dialog starts in.
    std::string lastDirectory;

    // ---- Loads

    // Loads `texts` (a preset, Clear, an opened file, converted points) as a
    // new design that belongs to `fileName` ("" for none) and counts as
    // saved: the form shows it, typing begins in its first entry, the
    // drawing is blank and the view follows the new design's fit.
    void load(const FieldTexts& texts, const std::string& fileName);
    // The same for the design the session now holds, without showing it anew.
    void loaded(const std::string& fileName);

    // ---- Actions, undo and redo

    // What a user action changes is one step of the history. Actions nest:
    // the signals a command makes the widgets send belong to it. At the end
    // of the outermost one the state is remembered when the design or the
    // file changed; a drawing shown or its mode changes the current step in
    // place.
    void beginAction() { ++depth_; }
    void endAction();
    bool inAction() const { return depth_ > 0; }

    // Converts the design to `units` (UNITS_INCH or UNITS_CM), one step to
    // undo: its lengths and the units switch (see convertDesignUnits), the
    // view and what onLengthsScaled keeps in model units scaled with them,
    // and the drawing, when one is shown, drawn again. False when the design
    // is in that unit already.
    bool convertUnits(DesignUnits units);

    // Forgets the history: it begins with what the form now shows.
    void start();
    // Begins afresh with the design the session now holds, belonging to no
    // file and counted as saved; the display stays as it is.
    void restart();
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // Puts back the state before the last step (a change not yet remembered
    // is the step taken back) or after it: the form, the values, the file it
    // belongs to, and the drawing recomputed when one was shown. False when
    // there is nothing to undo or redo.
    bool undo();
    bool redo();

    // The drawing as the window shows it; a load or an undo to another
    // design fits it to that design.
    DrawingView view;

    // Called whenever the state may have changed (the form, the title, the
    // Edit menu), at the end of the outermost action.
    std::function<void()> onChange;
    // Called when the design's lengths were multiplied by a factor (a
    // conversion, or an undo or redo of one), after the view followed.
    std::function<void(double factor)> onLengthsScaled;

  private:
    SessionState capture() const;
    void remember();
    bool travel(std::deque<SessionState>& from, std::deque<SessionState>& to);
    void putBack(const SessionState& state);
    void changed();
    void scaleLengths(double factor);

    std::optional<PassResult> pass_;
    bool passShown_ = false;
    ViewTransform fitted_;
    std::shared_ptr<DesignFile> file_;
    // Every file record still in the history, for saved().
    std::vector<std::weak_ptr<DesignFile>> files_;
    SessionState current_;
    std::deque<SessionState> undo_;
    std::deque<SessionState> redo_;
    int depth_ = 0;
    double lengthScale_ = 1.0;
};

// One user action for as long as it lives.
class SessionAction {
  public:
    explicit SessionAction(Session& session) : session_(session) { session_.beginAction(); }
    ~SessionAction() { session_.endAction(); }
    SessionAction(const SessionAction&) = delete;
    SessionAction& operator=(const SessionAction&) = delete;

  private:
    Session& session_;
};

// The design's name in the title and the questions: the last part of the
// file Save writes, or "Untitled" where Save asks for a name.
std::string designTitleName(const Session& session);
// "om.bowlyn* - Bowlyn": the name, a "*" while there are unsaved changes.
std::string windowTitle(const Session& session);

}  // namespace bowlyn
