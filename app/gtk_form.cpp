#include "app/gtk_form.h"

#include <algorithm>

#include "app/handlers.h"
#include "model/field_table.h"
#include "model/form_editing.h"
#include "model/output_table.h"
#include "model/units.h"

namespace bowlyn {

namespace {

// The widgets the program looks up by name, in look-up order.
const std::vector<std::string>& formWidgetNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = {"bowlynMainWindow",
                                      "fixedBowlynMainWindow",
                                      "notebook",
                                      "menuitemDisplayTransPoints",
                                      "menuitemDisplaySnapshot",
                                      "menuitemDisplayTracedOutline"};
        // Every control of the field table and the containers its switches
        // show, hide or make insensitive.
        for (const Control& control : controls())
            n.push_back(control.widget);
        for (const Control& control : controls()) {
            for (const std::string& container : control.switched) {
                if (std::find(n.begin(), n.end(), container) == n.end())
                    n.push_back(container);
            }
            if (control.designUnitCaption)
                n.push_back(unitCaptionLabel(control.widget));
        }
        // What the program writes, then the drawing and the Edit menu.
        for (int k = 0; k < outputs::COUNT; ++k)
            n.push_back(bowlyn::output(k).widget);
        for (const char* name :
             {"drawingImage", "eventboxDrawing", "buttonFit", "menubar", "menuUndo", "menuRedo",
              "menuConvertToCentimetres", "menuConvertToInches"})
            n.push_back(name);
        return n;
    }();
    return names;
}

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// The kind a widget must have, told by its name.
GType expectedType(const std::string& name) {
    if (name == "bowlynMainWindow")
        return GTK_TYPE_WINDOW;
    if (name == "notebook")
        return GTK_TYPE_NOTEBOOK;
    if (name == "drawingImage")
        return GTK_TYPE_IMAGE;
    if (name == "eventboxDrawing")
        return GTK_TYPE_EVENT_BOX;
    if (startsWith(name, "entry"))
        return GTK_TYPE_ENTRY;
    if (startsWith(name, "label"))
        return GTK_TYPE_LABEL;
    if (startsWith(name, "fixed"))
        return GTK_TYPE_FIXED;
    if (startsWith(name, "radiobutton"))
        return GTK_TYPE_RADIO_BUTTON;
    if (startsWith(name, "checkbutton"))
        return GTK_TYPE_CHECK_BUTTON;
    if (startsWith(name, "menuitem"))
        return GTK_TYPE_CHECK_MENU_ITEM;
    return GTK_TYPE_WIDGET;
}

}  // namespace

GtkForm::GtkForm(GladeXML* xml) {
    for (const std::string& name : formWidgetNames()) {
        GtkWidget* w = xml ? glade_xml_get_widget(xml, name.c_str()) : nullptr;
        if (w && G_TYPE_CHECK_INSTANCE_TYPE(w, expectedType(name))) {
            remember(name, w);
        } else {
            missing_.push_back(name);
        }
    }
}

std::string unitCaptionLabel(const std::string& entry) {
    return "labelUnit" + entry.substr(entry.rfind("entry", 0) == 0 ? 5 : 0);
}

GtkForm::~GtkForm() {
    for (auto& entry : widgets_)
        g_object_unref(entry.second);
}

void GtkForm::remember(const std::string& name, GtkWidget* w) {
    g_object_ref(w);
    auto [it, inserted] = widgets_.emplace(name, w);
    if (!inserted) {
        g_object_unref(it->second);
        it->second = w;
    }
}

GtkWidget* GtkForm::widget(const std::string& name) const {
    auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second;
}

void GtkForm::createUnitsCombo() {
    GtkWidget* fixed = widget("fixedBowlynMainWindow");
    if (!fixed || widget("comboboxUnits"))
        return;
    GtkWidget* combo = gtk_combo_box_new_text();
    gtk_widget_set_name(combo, "comboboxUnits");
    gtk_combo_box_append_text(GTK_COMBO_BOX(combo), "Inches");
    gtk_combo_box_append_text(GTK_COMBO_BOX(combo), "Centimeters");
    gtk_widget_set_size_request(combo, 120, 27);
    gtk_fixed_put(GTK_FIXED(fixed), combo, 100, 658);
    gtk_combo_box_set_active(GTK_COMBO_BOX(combo), 0);
    gtk_widget_show(combo);
    g_signal_connect(combo, "changed", G_CALLBACK(comboboxUnits_changed_cb), nullptr);
    remember("comboboxUnits", combo);
}

std::string GtkForm::text(const std::string& name) const {
    GtkWidget* w = widget(name);
    const char* t = nullptr;
    if (w && GTK_IS_ENTRY(w)) {
        t = gtk_entry_get_text(GTK_ENTRY(w));
    } else if (w && GTK_IS_LABEL(w)) {
        t = gtk_label_get_text(GTK_LABEL(w));
    }
    return t ? t : "";
}

void GtkForm::setText(const std::string& name, const std::string& text) {
    GtkWidget* w = widget(name);
    if (w && GTK_IS_ENTRY(w)) {
        gtk_entry_set_text(GTK_ENTRY(w), text.c_str());
    } else if (w && GTK_IS_LABEL(w)) {
        gtk_label_set_text(GTK_LABEL(w), text.c_str());
    }
}

bool GtkForm::active(const std::string& name) const {
    GtkWidget* w = widget(name);
    if (w && GTK_IS_TOGGLE_BUTTON(w))
        return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w));
    if (w && GTK_IS_CHECK_MENU_ITEM(w)) {
        return gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(w));
    }
    return false;
}

void GtkForm::setActive(const std::string& name, bool on) {
    GtkWidget* w = widget(name);
    if (w && GTK_IS_TOGGLE_BUTTON(w)) {
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w), on);
    } else if (w && GTK_IS_CHECK_MENU_ITEM(w)) {
        gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(w), on);
    }
}

bool GtkForm::visible(const std::string& name) const {
    GtkWidget* w = widget(name);
    return w && gtk_widget_get_visible(w);
}

void GtkForm::setVisible(const std::string& name, bool visible) {
    if (GtkWidget* w = widget(name)) {
        if (visible) {
            gtk_widget_show_all(w);
        } else {
            gtk_widget_hide_all(w);
        }
    }
}

bool GtkForm::sensitive(const std::string& name) const {
    GtkWidget* w = widget(name);
    return w && gtk_widget_get_sensitive(w);
}

void GtkForm::setSensitive(const std::string& name, bool sensitive) {
    if (GtkWidget* w = widget(name))
        gtk_widget_set_sensitive(w, sensitive);
}

int GtkForm::unitsIndex() const {
    GtkWidget* w = widget("comboboxUnits");
    int index = w ? gtk_combo_box_get_active(GTK_COMBO_BOX(w)) : 0;
    return index == 1 ? 1 : 0;
}

void GtkForm::setUnitsIndex(int index) {
    if (GtkWidget* w = widget("comboboxUnits")) {
        gtk_combo_box_set_active(GTK_COMBO_BOX(w), index == 0 ? 0 : 1);
    }
}

int GtkForm::notebookPage() const {
    GtkWidget* w = widget("notebook");
    return w ? gtk_notebook_get_current_page(GTK_NOTEBOOK(w)) : 0;
}

void GtkForm::setNotebookPage(int page) {
    if (GtkWidget* w = widget("notebook"))
        gtk_notebook_set_current_page(GTK_NOTEBOOK(w), page);
}

void GtkForm::focus(const std::string& name) {
    if (GtkWidget* w = widget(name))
        gtk_widget_grab_focus(w);
}

std::string GtkForm::focused() const {
    GtkWidget* window = mainWindow();
    return window ? nameOf(gtk_window_get_focus(GTK_WINDOW(window))) : "";
}

std::string GtkForm::nameOf(GtkWidget* w) const {
    if (!w)
        return "";
    // The description names each widget after its id.
    const std::string name = gtk_widget_get_name(w);
    return widget(name) == w ? name : "";
}

void GtkForm::setMarked(const std::string& name, bool marked) {
    GtkWidget* w = widget(name);
    // Every pass sets every mark; only a change restyles the entry.
    if (!w || marked == (marked_.count(name) > 0))
        return;
    if (marked) {
        marked_.insert(name);
        GdkColor problem;
        gdk_color_parse("#ffb4b4", &problem);
        gtk_widget_modify_base(w, GTK_STATE_NORMAL, &problem);
    } else {
        marked_.erase(name);
        gtk_widget_modify_base(w, GTK_STATE_NORMAL, nullptr);
    }
}

namespace {

// The notebook page that holds `w`, or -1.
int pageOf(GtkNotebook* notebook, GtkWidget* w) {
    for (; w; w = gtk_widget_get_parent(w)) {
        if (gtk_widget_get_parent(w) == GTK_WIDGET(notebook))
            return gtk_notebook_page_num(notebook, w);
    }
    return -1;
}

}  // namespace

void GtkForm::reveal(const std::vector<std::string>& names) {
    GtkWidget* nb = widget("notebook");
    if (!nb)
        return;
    GtkNotebook* notebook = GTK_NOTEBOOK(nb);
    const int current = gtk_notebook_get_current_page(notebook);
    int first = -1;
    for (const std::string& name : names) {
        const int page = pageOf(notebook, widget(name));
        if (page == current)
            return;
        if (first < 0)
            first = page;
    }
    if (first >= 0)
        gtk_notebook_set_current_page(notebook, first);
}

void GtkForm::showTooltips(DesignUnits units) {
    if (units == tooltipUnits_)
        return;
    tooltipUnits_ = units;
    for (const Control& control : controls()) {
        GtkWidget* w = widget(control.widget);
        if (w && GTK_IS_ENTRY(w))
            gtk_widget_set_tooltip_text(w, controlTooltip(control, units).c_str());
    }
}

void GtkForm::showDesign(const Design& design) {
    ++updating_;
    const DesignParameters& p = design.params;
    for (const Control& c : controls()) {
        if (c.kind == ControlKind::Text || c.kind == ControlKind::Entry) {
            if (text(c.widget) != design.text(c.field))
                setText(c.widget, design.text(c.field));
        } else if (c.kind == ControlKind::Check) {
            const bool on = fieldValue(p, c.field) == 1;
            if (active(c.widget) != on)
                setActive(c.widget, on);
            for (const std::string& container : c.switched) {
                if (sensitive(container) != on)
                    setSensitive(container, on);
            }
        } else {
            // A radio button shows its container while it is the pair's choice.
            const bool on = design.shownChoices[c.pair] == c.value;
            if (on && !active(c.widget))
                setActive(c.widget, true);
            if (visible(c.switched.front()) != on)
                setVisible(c.switched.front(), on);
        }
    }
    showUnits(p.units);
    --updating_;
}

void GtkForm::showUnits(DesignUnits units) {
    if (unitsIndex() != units)
        setUnitsIndex(units);
    const bool inch = units == UNITS_INCH;
    setOutput(outputs::UNITS_NOTE, inch ? " " : "except as noted.");
    for (const Control& control : controls()) {
        if (control.designUnitCaption)
            setText(unitCaptionLabel(control.widget), unitName(designUnit(units)));
    }
}

std::string GtkForm::output(int number) const {
    return text(bowlyn::output(number).widget);
}

void GtkForm::setOutput(int number, const std::string& text) {
    setText(bowlyn::output(number).widget, text);
}

void GtkForm::markFields(const FieldSet& fields) {
    std::vector<std::string> marked;
    for (size_t i = 0; i < fields.size(); ++i) {
        for (const std::string& widget : field(fields[i]).widgets) {
            const Control* c = controlNamed(widget);
            if (c && c->kind == ControlKind::Entry)
                marked.push_back(widget);
        }
    }
    for (const Control& c : controls()) {
        if (c.kind == ControlKind::Entry)
            setMarked(c.widget, std::find(marked.begin(), marked.end(), c.widget) != marked.end());
    }
    if (!marked.empty())
        reveal(marked);
}

}  // namespace bowlyn
