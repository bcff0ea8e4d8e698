#pragma once

#include <glade/glade.h>
#include <gtk/gtk.h>

#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "geometry/pass_result.h"
#include "model/design.h"

namespace bowlyn {

// The widgets of the loaded window description, named as the tables say
// (model/fields.def, model/outputs.def): the one place that puts a design
// into entries, switches and labels. Holds a reference on every widget it
// knows, so calls that arrive while the window is being destroyed touch dead
// widgets, never freed memory.
class GtkForm {
  public:
    // Looks up, by name, every widget the program addresses.
    explicit GtkForm(GladeXML* xml);
    ~GtkForm();
    GtkForm(const GtkForm&) = delete;
    GtkForm& operator=(const GtkForm&) = delete;

    // Names the description lacks or has on a widget of the wrong kind; the
    // form is usable only when this is empty.
    const std::vector<std::string>& missing() const { return missing_; }

    // The widget of that name, or nullptr.
    GtkWidget* widget(const std::string& name) const;
    GtkWidget* mainWindow() const { return widget("bowlynMainWindow"); }

    // The units combo box: made here because the description has none. Its
    // "changed" signal is connected after the first item is made active.
    void createUnitsCombo();

    // The form shows `design`: every entry its field's text, every switch,
    // pair of radio buttons and container as its value says, the units box
    // and the captions of the design's unit. Only what differs is written,
    // so an entry being typed in keeps its cursor; the widgets' signals
    // meanwhile are the program's own (updating()).
    void showDesign(const Design& design);
    // While showDesign writes the widgets: their handlers are no user's.
    bool updating() const { return updating_ > 0; }

    // The text of a label the program writes (model/outputs.def).
    std::string output(int number) const;
    void setOutput(int number, const std::string& text);

    // Marks the entries of `fields` (the fields a problem concerns) and clears
    // every other mark; the page of the first comes to the front unless the
    // current page shows one of them.
    void markFields(const FieldSet& fields);

    // Text of an entry or a label.
    std::string text(const std::string& widget) const;
    void setText(const std::string& widget, const std::string& text);
    // Active state of a check button, radio button or check menu item.
    bool active(const std::string& widget) const;
    void setActive(const std::string& widget, bool on);
    // Visibility of a container and everything in it.
    bool visible(const std::string& widget) const;
    void setVisible(const std::string& widget, bool visible);
    bool sensitive(const std::string& widget) const;
    void setSensitive(const std::string& widget, bool sensitive);
    // Active index of the units combo box: 0 "Inches", 1 "Centimeters".
    int unitsIndex() const;
    void setUnitsIndex(int index);
    int notebookPage() const;
    void setNotebookPage(int page);
    // Moves the keyboard focus to a widget, as a click into it would; "" when
    // no widget of the form has it.
    void focus(const std::string& widget);
    std::string focused() const;
    // The form's name for `w`, or "" when the form does not know it.
    std::string nameOf(GtkWidget* w) const;
    bool marked(const std::string& widget) const { return marked_.count(widget) > 0; }
    // Every entry's tooltip: its field's name and its steppers' step in the
    // design's unit (index as unitsIndex()). Only a change of unit rewrites them.
    void showTooltips(DesignUnits units);

  private:
    void remember(const std::string& name, GtkWidget* w);
    void setMarked(const std::string& widget, bool marked);
    void reveal(const std::vector<std::string>& widgets);
    void showUnits(DesignUnits units);

    std::unordered_map<std::string, GtkWidget*> widgets_;
    std::vector<std::string> missing_;
    std::set<std::string> marked_;
    int tooltipUnits_ = -1;
    int updating_ = 0;
};

// The label that shows an entry's unit when it is the design's own:
// labelUnitName for entryName.
std::string unitCaptionLabel(const std::string& entry);

}  // namespace bowlyn
