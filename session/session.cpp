#include "session/session.h"

#include <algorithm>

#include "geometry/document.h"
#include "geometry/pass_display.h"
#include "geometry/strings.h"
#include "model/parameter_file.h"
#include "model/unit_conversion.h"

namespace bowlyn {

Session::Session(Document& doc) : doc_(doc) {
    restart();
}

void Session::restart() {
    file_ = std::make_shared<DesignFile>(DesignFile{"", parameterFileText(doc_)});
    files_.assign(1, file_);
    start();
}

std::string Session::saveTarget() const {
    return file_->name.empty() ? "" : parameterFileName(file_->name);
}

bool Session::unsavedChanges() const {
    return parameterFileText(doc_) != file_->savedText;
}

void Session::saved(const std::string& name) {
    file_->name = name;
    file_->savedText = parameterFileText(doc_);
    for (const std::weak_ptr<DesignFile>& other : files_) {
        if (std::shared_ptr<DesignFile> f = other.lock();
            f && f != file_ && !f->name.empty() && parameterFileName(f->name) == name)
            f->savedText = file_->savedText;
    }
    changed();
}

void Session::loaded(const std::string& fileName) {
    file_ = std::make_shared<DesignFile>(DesignFile{fileName, parameterFileText(doc_)});
    files_.erase(std::remove_if(files_.begin(), files_.end(),
                                [](const std::weak_ptr<DesignFile>& f) { return f.expired(); }),
                 files_.end());
    files_.push_back(file_);
    resetDisplay(doc_);
    view.fit();
}

SessionState Session::capture() const {
    SessionState state{captureForm(doc_), file_, doc_.finalDrawing, doc_.passShown, lengthScale_};
    // As a pass would store them, so that drawing the design is no change of it.
    storeCourseDefault(state.form.params);
    return state;
}

bool Session::convertUnits(int32_t units) {
    SessionAction convert(*this);
    if (!convertDesignUnits(doc_, units))
        return false;
    const double factor = units == UNITS_CM ? CM_PER_INCH : 1.0 / CM_PER_INCH;
    lengthScale_ *= factor;
    scaleLengths(factor);
    if (doc_.passShown)
        recomputeAndShow(doc_);
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
    if (now.form == current_.form && now.file == current_.file) {
        // A pass shown, or the other drawing mode: the same step, drawn.
        current_.finalDrawing = now.finalDrawing;
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
    restoreForm(doc_, state.form);
    file_ = state.file;
    doc_.finalDrawing = state.finalDrawing;
    if (state.lengthScale != lengthScale_) {
        const double factor = state.lengthScale / lengthScale_;
        lengthScale_ = state.lengthScale;
        scaleLengths(factor);
    }
    if (otherDesign)
        view.fit();
    if (state.drawingShown) {
        recomputeAndShow(doc_);  // nothing is cached: the pass runs again
    } else if (doc_.passShown) {
        resetDisplay(doc_);
        doc_.outlineComplete = 0;
    }
    --depth_;
    changed();
}

void Session::changed() {
    if (onChange && depth_ == 0)
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
