#include "gui_support.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace bowlyn::test {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

namespace {

GtkWidget* findIn(GtkWidget* w, const std::string& name);

void searchChild(GtkWidget* child, gpointer data) {
    auto* state = static_cast<std::pair<const std::string*, GtkWidget*>*>(data);
    if (!state->second)
        state->second = findIn(child, *state->first);
}

GtkWidget* findIn(GtkWidget* w, const std::string& name) {
    if (!w)
        return nullptr;
    if (name == gtk_widget_get_name(w))
        return w;
    if (GTK_IS_MENU_ITEM(w)) {
        if (GtkWidget* found = findIn(gtk_menu_item_get_submenu(GTK_MENU_ITEM(w)), name)) {
            return found;
        }
    }
    if (GTK_IS_CONTAINER(w)) {
        std::pair<const std::string*, GtkWidget*> state{&name, nullptr};
        gtk_container_forall(GTK_CONTAINER(w), searchChild, &state);
        return state.second;
    }
    return nullptr;
}

void logProblem(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
    if (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) {
        loggedProblems().push_back(std::string(domain ? domain : "") + ": " + message);
    }
}

}  // namespace

bool runLoopUntil(const std::function<bool()>& done, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        g_usleep(2000);
    }
    return true;
}

GtkWidget* findWidget(GtkWidget* root, const std::string& name) {
    return findIn(root, name);
}

GtkWidget* openAboutDialog() {
    GtkWidget* about = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w != nullptr; w = w->next) {
        if (GTK_IS_ABOUT_DIALOG(w->data) && gtk_widget_get_visible(GTK_WIDGET(w->data))) {
            about = GTK_WIDGET(w->data);
        }
    }
    g_list_free(windows);
    return about;
}

std::vector<std::string>& loggedProblems() {
    static std::vector<std::string> problems;
    return problems;
}

void collectLogMessages() {
    g_log_set_default_handler(logProblem, nullptr);
}

bool isConstructionPixel(int r, int g, int b) {
    // Half-transparent cyan over white.
    return r >= 110 && r <= 150 && g >= 245 && b >= 245;
}

bool isOutlinePixel(int r, int g, int b) {
    return r < 60 && g < 60 && b < 60;
}

void GuiTest::SetUp() {
    collectLogMessages();
    loggedProblems().clear();
    // The real pointer rests wherever an earlier test left it: an entry's
    // tooltip shown there could lie over the drawing the tests read back.
    g_object_set(gtk_settings_get_default(), "gtk-enable-tooltips", FALSE, nullptr);
    std::string error;
    ASSERT_TRUE(openMainWindow(error)) << error;
    app().dialogs = &dialogs;
    pump();
}

std::string GuiTest::temp(const std::string& name) {
    std::string path = ::testing::TempDir() + "gui_" + name;
    std::remove(path.c_str());
    created_.push_back(path);
    return path;
}

void GuiTest::TearDown() {
    for (const std::string& p : created_)
        std::remove(p.c_str());
    closeMainWindow();
    pump();
    EXPECT_TRUE(loggedProblems().empty()) << loggedProblems().front();
}

GtkWidget* GuiTest::widget(const std::string& name) {
    GtkWidget* w = findWidget(app().mainWindow, name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void GuiTest::activate(const std::string& menuItem) {
    GtkWidget* item = widget(menuItem);
    if (item)
        gtk_menu_item_activate(GTK_MENU_ITEM(item));
    pump();
}

void GuiTest::click(const std::string& button) {
    GtkWidget* b = widget(button);
    if (!b)
        return;
    // A mouse click first takes the keyboard focus, which commits the entry
    // being edited.
    if (gtk_window_is_active(GTK_WINDOW(app().mainWindow)) && gtk_widget_get_can_focus(b) &&
        gtk_button_get_focus_on_click(GTK_BUTTON(b))) {
        showPageOf(b);
        gtk_widget_grab_focus(b);
        pump();
    }
    gtk_button_clicked(GTK_BUTTON(b));
    pump();
}

void GuiTest::windowFocus(bool in) {
    GdkEvent* event = gdk_event_new(GDK_FOCUS_CHANGE);
    event->focus_change.window = GDK_WINDOW(g_object_ref(app().mainWindow->window));
    event->focus_change.send_event = TRUE;
    event->focus_change.in = in;
    gtk_widget_send_focus_change(app().mainWindow, event);
    gdk_event_free(event);
    pump();
}

void GuiTest::showPageOf(GtkWidget* w) {
    GtkWidget* notebook = form().widget("notebook");
    for (GtkWidget* page = w; page && page != notebook; page = gtk_widget_get_parent(page)) {
        if (gtk_widget_get_parent(page) == notebook) {
            gtk_notebook_set_current_page(GTK_NOTEBOOK(notebook),
                                          gtk_notebook_page_num(GTK_NOTEBOOK(notebook), page));
        }
    }
    pump();
}

void GuiTest::focus(const std::string& entry) {
    if (!gtk_window_is_active(GTK_WINDOW(app().mainWindow))) {
        windowFocus(true);
    }
    if (GtkWidget* e = widget(entry)) {
        showPageOf(e);
        gtk_widget_grab_focus(e);
    }
    pump();
}

void GuiTest::type(const std::string& entry, const std::string& text) {
    focus(entry);
    GtkWidget* e = widget(entry);
    if (!e)
        return;
    gtk_editable_delete_text(GTK_EDITABLE(e), 0, -1);
    for (char c : text) {
        guint key = gdk_unicode_to_keyval(static_cast<unsigned char>(c));
        gtk_test_widget_send_key(e, key, GdkModifierType(0));
    }
    pump();
}

Pixels GuiTest::shownDrawing() {
    Pixels out;
    GtkWidget* image = form().widget("drawingImage");
    pump();
    gdk_window_process_all_updates();
    gdk_flush();
    if (!image || !image->window || !gtk_widget_get_mapped(image))
        return out;
    const GtkAllocation& a = image->allocation;
    GdkPixbuf* pb = gdk_pixbuf_get_from_drawable(nullptr, image->window, nullptr, a.x, a.y, 0, 0,
                                                 a.width, a.height);
    if (!pb)
        return out;
    out.width = gdk_pixbuf_get_width(pb);
    out.height = gdk_pixbuf_get_height(pb);
    const int stride = gdk_pixbuf_get_rowstride(pb), n = gdk_pixbuf_get_n_channels(pb);
    const guchar* px = gdk_pixbuf_get_pixels(pb);
    out.rgb.reserve(size_t(3) * out.width * out.height);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const guchar* p = px + y * stride + x * n;
            out.rgb.insert(out.rgb.end(), p, p + 3);
        }
    }
    g_object_unref(pb);
    return out;
}

int GuiTest::countShownPixels(const std::function<bool(int, int, int)>& pick) {
    const Pixels shown = shownDrawing();
    int count = 0;
    for (int y = 2; y < shown.height - 2; ++y) {
        for (int x = 2; x < shown.width - 2; ++x) {
            const unsigned char* p = shown.at(x, y);
            if (pick(p[0], p[1], p[2]))
                ++count;
        }
    }
    return count;
}

}  // namespace bowlyn::test
