#include "session/session.h"

#include <algorithm>

#include "model/parameter_file.h"
#include "model/presets.h"
#include "model/unit_conversion.h"
#include "session/display.h"

namespace bowlyn {

Session::Session() {
    restart();
}

const PassResult& Session::runPass() {
    return showPass(recompute(design.params, overlays, mode));
}

const PassResult& Session::showPass(PassResult pass) {
    pass_ = std::move(pass);
    if (pass_->view)
        fitted_ = *pass_->view;
    passShown_ = true;
    if (display)
        display->showPass(*pass_, design);
    return *pass_;
}

void Session::blank() {
    pass_.reset();
    passShown_ = false;
    if (display)
        display->showBlank();
}

bool Session::bringPassUpToDate() {
    if (complete() && !sameParameters(pass_->params, design.params))
        runPass();
    return complete();
}

void Session::showStatus(const std::string& text) {
    if (display)
        display->showStatus(text);
}

void Session::restart() {
    file_ = std::make_shared<DesignFile>(DesignFile{"", parameterFileText(design)});
    files_.assign(1, file_);
    start();
}

std::string Session::saveTarget() const {
    return file_->name.empty() ? "" : parameterFileName(file_->name);
}

bool Session::unsavedChanges() const {
    return parameterFileText(design) != file_->savedText;
}

void Session::saved(const std::string& name) {
    file_->name = name;
    file_->savedText = parameterFileText(design);
    for (const std::weak_ptr<DesignFile>& other : files_) {
        if (std::shared_ptr<DesignFile> f = other.lock();
            f && f != file_ && !f->name.empty() && parameterFileName(f->name) == name)
            f->savedText = file_->savedText;
    }
    changed();
}

void Session::load(const FieldTexts& texts, const std::string& fileName) {
    loadTexts(design, texts);
    if (display) {
        // Shown before typing moves on, so that the entry it leaves commits
        // the new design's text, not the old one's.
        display->showDesign(design);
        display->startEditing();
    }
    loaded(fileName);
}

void Session::loaded(const std::string& fileName) {
    file_ = std::make_shared<DesignFile>(DesignFile{fileName, parameterFileText(design)});
    files_.erase(std::remove_if(files_.begin(), files_.end(),
                                [](const std::weak_ptr<DesignFile>& f) { return f.expired(); }),
                 files_.end());
    files_.push_back(file_);
    blank();
    view.fit();
}

SessionState Session::capture() const {
    return {design, file_, mode, passShown_, lengthScale_};
}

bool Session::convertUnits(DesignUnits units) {
    SessionAction convert(*this);
    if (!convertDesignUnits(design, units))
        return false;
    const double factor = units == UNITS_CM ? CM_PER_INCH : 1.0 / CM_PER_INCH;
    lengthScale_ *= factor;
    scaleLengths(factor);
    if (passShown_)
        runPass();
    return true;
}

void Session::scaleLengths(double factor) {
    view.lengthsScaled(factor);
    if (onLengthsScaled)
        onLengthsScaled(factor);
}

void Session::endAction() {
    if (--depth_ > 0)
        return;
    remember();
    changed();
}

void Session::remember() {
    SessionState now = capture();
    if (now.design == current_.design && now.file == current_.file) {
        // A pass shown, or the other drawing mode: the same step, drawn.
        current_.mode = now.mode;
        current_.drawingShown = now.drawingShown;
        return;
    }
    undo_.push_back(std::move(current_));
    if (undo_.size() > UNDO_DEPTH)
        undo_.pop_front();
    current_ = std::move(now);
    redo_.clear();
}

void Session::start() {
    current_ = capture();
    undo_.clear();
    redo_.clear();
    changed();
}

bool Session::undo() {
    if (depth_ == 0)
        remember();  // a change not yet remembered is the one to undo
    return travel(undo_, redo_);
}

bool Session::redo() {
    return travel(redo_, undo_);
}

// The latest state of `from` becomes current, the current one the latest of
// `to`.
bool Session::travel(std::deque<SessionState>& from, std::deque<SessionState>& to) {
    if (from.empty())
        return false;
    to.push_back(std::move(current_));
    current_ = std::move(from.back());
    from.pop_back();
    putBack(current_);
    return true;
}

void Session::putBack(const SessionState& state) {
    // The widgets' own signals while the form is put back are part of it.
    ++depth_;
    const bool otherDesign = state.file != file_;
    design = state.design;
    if (display)
        display->showDesign(design);
    file_ = state.file;
    mode = state.mode;
    if (state.lengthScale != lengthScale_) {
        const double factor = state.lengthScale / lengthScale_;
        lengthScale_ = state.lengthScale;
        scaleLengths(factor);
    }
    if (otherDesign)
        view.fit();
    if (state.drawingShown) {
        runPass();  // nothing is cached: the pass runs again
    } else if (passShown_) {
        blank();
    }
    --depth_;
    changed();
}

void Session::changed() {
    if (depth_ > 0)
        return;
    // The form follows whatever the action did to the design.
    if (display)
        display->showDesign(design);
    if (onChange)
        onChange();
}

std::string designTitleName(const Session& session) {
    const std::string path = session.saveTarget();
    if (path.empty())
        return "Untitled";
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string windowTitle(const Session& session) {
    return designTitleName(session) + (session.unsavedChanges() ? "*" : "") + " - Bowlyn";
}

}  // namespace bowlyn
