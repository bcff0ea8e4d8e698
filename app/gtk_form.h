#pragma once

#include <glade/glade.h>
#include <gtk/gtk.h>

#include <functional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/form.h"

namespace bowlyn {

// The Form on the widgets of the loaded window description. Holds a reference
// on every widget it knows, so calls that arrive while the window is being
// destroyed touch dead widgets, never freed memory.
class GtkForm : public Form {
  public:
    // Looks up, by name, every widget the program addresses.
    explicit GtkForm(GladeXML* xml);
    ~GtkForm() override;
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

    std::string text(const std::string& widget) const override;
    void setText(const std::string& widget, const std::string& text) override;
    bool active(const std::string& widget) const override;
    void setActive(const std::string& widget, bool on) override;
    bool visible(const std::string& widget) const override;
    void setVisible(const std::string& widget, bool visible) override;
    bool sensitive(const std::string& widget) const override;
    void setSensitive(const std::string& widget, bool sensitive) override;
    int unitsIndex() const override;
    void setUnitsIndex(int index) override;
    int notebookPage() const override;
    void setNotebookPage(int page) override;
    void focus(const std::string& widget) override;
    std::string focused() const override;
    // The form's name for `w`, or "" when the form does not know it.
    std::string nameOf(GtkWidget* w) const;
    void setMarked(const std::string& widget, bool marked) override;
    bool marked(const std::string& widget) const override { return marked_.count(widget) > 0; }
    void reveal(const std::vector<std::string>& widgets) override;
    // Every entry's tooltip: its field's name and its steppers' step in the
    // design's unit (index as unitsIndex()). Only a change of unit rewrites them.
    void showTooltips(int units);
    // Asks the drawing widget to show the pass's picture (see DrawingArea).
    void showDrawing(const DrawingSurface& surface) override;
    void onDrawingShown(std::function<void()> shown) { drawingShown_ = std::move(shown); }

  private:
    void remember(const std::string& name, GtkWidget* w);

    std::unordered_map<std::string, GtkWidget*> widgets_;
    std::vector<std::string> missing_;
    std::function<void()> drawingShown_;
    std::set<std::string> marked_;
    int tooltipUnits_ = -1;
};

}  // namespace bowlyn
