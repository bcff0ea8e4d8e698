#pragma once

#include "session/display.h"

namespace bowlyn {

class DrawingArea;
class GtkForm;

// The window as the session's display: the design in the form, a pass's
// report in the status line, the marks, the derived values, the measurements
// and the air, and its picture in the drawing.
class WindowDisplay : public Display {
  public:
    WindowDisplay(GtkForm& form, DrawingArea& drawing) : form_(form), drawing_(drawing) {}

    void showDesign(const Design& design) override;
    void showPass(const PassResult& pass, const Design& design) override;
    void showBlank() override;
    void showStatus(const std::string& text) override;
    void startEditing() override;

  private:
    GtkForm& form_;
    DrawingArea& drawing_;
};

}  // namespace bowlyn
