#pragma once

#include <string>
#include <vector>

namespace bowlyn {

class DrawingSurface;

// The program's logic talks to the form's widgets by name through this
// interface: GtkForm maps it onto the loaded description, MemoryForm keeps the
// state in maps for the command line and the headless tests.
class Form {
  public:
    virtual ~Form() = default;

    // Text of an entry or a label.
    virtual std::string text(const std::string& widget) const = 0;
    virtual void setText(const std::string& widget, const std::string& text) = 0;

    // Active state of a check button, radio button or check menu item. Setting
    // a radio button active makes the other members of its group inactive.
    virtual bool active(const std::string& widget) const = 0;
    virtual void setActive(const std::string& widget, bool on) = 0;

    // Visibility of a container and everything in it.
    virtual bool visible(const std::string& widget) const = 0;
    virtual void setVisible(const std::string& widget, bool visible) = 0;

    virtual bool sensitive(const std::string& widget) const = 0;
    virtual void setSensitive(const std::string& widget, bool sensitive) = 0;

    // Active index of the units combo box: 0 "Inches", 1 "Centimeters".
    virtual int unitsIndex() const = 0;
    virtual void setUnitsIndex(int index) = 0;

    virtual int notebookPage() const = 0;
    virtual void setNotebookPage(int page) = 0;

    // Moves the keyboard focus to a widget, as a click into it would; "" when
    // no widget of the form has it.
    virtual void focus(const std::string& widget) = 0;
    virtual std::string focused() const = 0;

    // Marks an entry whose value a pass's problem concerns (or clears the
    // mark), so the user sees which one to change.
    virtual void setMarked(const std::string& widget, bool marked) = 0;
    virtual bool marked(const std::string& widget) const = 0;
    // Brings to the front a notebook page that shows one of `widgets`: the
    // current page when it does, else the first one's.
    virtual void reveal(const std::vector<std::string>& widgets) = 0;

    // Makes the drawing visible in the image widget.
    virtual void showDrawing(const DrawingSurface& surface) = 0;
};

}  // namespace bowlyn
