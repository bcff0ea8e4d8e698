#include "app/gtk_form.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "app/handlers.h"
#include "export/depth_display.h"
#include "model/field_table.h"
#include "render/drawing_surface.h"

namespace bowlyn {

namespace {

// The widgets the program looks up by name, in look-up order.
const std::vector<std::string>& formWidgetNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = {"bowlynMainWindow", "fixedBowlynMainWindow", "notebook",
                                      "menuitemDisplayTransPoints", "menuitemDisplaySnapshot"};
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
        // What a pass writes.
        for (const char* label : {"labelLBCenterData",
                                  "labelUBCenterData",
                                  "labelWaistCenterData",
                                  "labelShoulderArcRadiusData",
                                  "labelShoulderArcCenterPointData",
                                  "labelTailArcRadiusData",
                                  "labelTailArcCenterPointData",
                                  "labelCutawayFlorentineRadiusData",
                                  "labelCutawayFlorentineCenterPointData",
                                  "labelCutawayVenetianCenterPointData",
                                  "labelCutawayVenetianPointCenterPointData",
                                  "drawingImage",
                                  "labelUnits2",
                                  "labelStatusText",
                                  "labelPerimeterData",
                                  "labelAreaData",
                                  "labelLengthData",
                                  "labelWidthData",
                                  "labelFretboardAreaData",
                                  AIR_VOLUME_LABEL,
                                  AIR_RESONANCE_LABEL,
                                  AIR_NOTE_LABEL}) {
            n.push_back(label);
        }
        return n;
    }();
    return names;
}

// Copies cairo's premultiplied native-endian ARGB32 rows into an RGBA pixel
// buffer of the same size.
void convertArgbToRgba(const unsigned char* src, int srcStride, int width, int height,
                       unsigned char* dst, int dstStride) {
    for (int y = 0; y < height; ++y) {
        const unsigned char* srcRow = src + static_cast<size_t>(y) * srcStride;
        unsigned char* out = dst + static_cast<size_t>(y) * dstStride;
        for (int x = 0; x < width; ++x, out += 4) {
            uint32_t p;
            std::memcpy(&p, srcRow + 4 * x, 4);
            const uint32_t a = p >> 24;
            uint32_t r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
            // Every pixel of a drawing is opaque; only a stray translucent one
            // pays for undoing the premultiplication.
            if (a != 255) {
                if (a == 0) {
                    r = g = b = 0;
                } else {
                    r = (r * 255 + a / 2) / a;
                    g = (g * 255 + a / 2) / a;
                    b = (b * 255 + a / 2) / a;
                }
            }
            out[0] = static_cast<unsigned char>(r);
            out[1] = static_cast<unsigned char>(g);
            out[2] = static_cast<unsigned char>(b);
            out[3] = static_cast<unsigned char>(a);
        }
    }
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

GtkForm::~GtkForm() {
    for (auto& entry : widgets_)
        g_object_unref(entry.second);
    if (pixbuf_)
        g_object_unref(pixbuf_);
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

void GtkForm::showDrawing(const DrawingSurface& surface) {
    GtkWidget* image = widget("drawingImage");
    if (!image)
        return;
    const int w = surface.width(), h = surface.height();
    bool fresh = false;
    if (!pixbuf_ || gdk_pixbuf_get_width(pixbuf_) != w || gdk_pixbuf_get_height(pixbuf_) != h) {
        if (pixbuf_)
            g_object_unref(pixbuf_);
        pixbuf_ = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, w, h);
        if (!pixbuf_)
            return;
        fresh = true;
    }
    convertArgbToRgba(surface.data(), surface.stride(), w, h, gdk_pixbuf_get_pixels(pixbuf_),
                      gdk_pixbuf_get_rowstride(pixbuf_));
    // The image draws straight from the buffer, so new pixels only need a redraw.
    if (fresh) {
        gtk_image_set_from_pixbuf(GTK_IMAGE(image), pixbuf_);
    } else {
        gtk_widget_queue_draw(image);
    }
}

}  // namespace bowlyn
