#include "app/main_window.h"

#include <glade/glade.h>
#include <gtk/gtk.h>

#include <filesystem>
#include <memory>

#include "app/app_context.h"
#include "app/design_access.h"
#include "app/drawing_area.h"
#include "app/form_signals.h"
#include "app/gtk_dialogs.h"
#include "app/gtk_form.h"
#include "app/window_display.h"
#include "app/window_layout.h"
#include "commands/file_commands.h"
#include "help/release_texts.h"
#include "help/release_watch.h"
#include "model/form_editing.h"
#include "model/output_table.h"
#include "model/presets.h"

namespace bowlyn {

namespace {

constexpr const char* DESCRIPTION_FILE = "bowlyn0_7.glade";

void parseResourceFileOnce() {
    static bool parsed = false;
    if (parsed)
        return;
    parsed = true;
    // Without it GTK's default appearance stays.
    std::string rc = findResource("applicationrc");
    if (!rc.empty())
        gtk_rc_parse(rc.c_str());
}

// Every window a rejected description made.
void destroyWindows(GladeXML* xml) {
    GList* all = glade_xml_get_widget_prefix(xml, "");
    for (GList* it = all; it; it = it->next) {
        GtkWidget* w = GTK_WIDGET(it->data);
        if (GTK_IS_WINDOW(w) && !gtk_widget_get_parent(w))
            gtk_widget_destroy(w);
    }
    g_list_free(all);
}

// The start-up check's answer arrives while the user may already be working:
// it takes the status line only while that still shows what start-up left
// there, never a problem or a result the user is reading.
void announceWhenAnswered(ReleaseWatch& updates, const std::string& startupStatus) {
    updates.check([startupStatus](double newest) {
        GtkForm* form = app().form;
        const std::string note = newerReleaseStatusText(newest);
        if (form && !note.empty() && form->output(outputs::STATUS) == startupStatus)
            form->setOutput(outputs::STATUS, note);
    });
}

std::string currentDirectory() {
    std::error_code ec;
    std::string dir = std::filesystem::current_path(ec).string();
    return ec ? std::string() : dir;
}

}  // namespace

bool openMainWindow(std::string& error, const std::string& descriptionPath) {
    if (app().session) {
        error = "the main window is already open";
        return false;
    }
    parseResourceFileOnce();

    std::string path = descriptionPath.empty() ? findResource(DESCRIPTION_FILE) : descriptionPath;
    if (path.empty()) {
        error = std::string("cannot find the window description \"") + DESCRIPTION_FILE +
                "\" beside the program, in its ui folder or in " + installedDataFolder();
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = "the window description \"" + path + "\" does not exist";
        return false;
    }
    GladeXML* xml = glade_xml_new(path.c_str(), nullptr, nullptr);
    if (!xml) {
        error = "cannot load the window description \"" + path + "\"";
        return false;
    }

    AppContext& ctx = app();
    AppContext::Owned& s = ctx.owned;
    s.form = std::make_unique<GtkForm>(xml);
    if (!s.form->missing().empty()) {
        error = "the window description \"" + path + "\" has no usable widget \"" +
                s.form->missing().front() + "\"";
        if (s.form->missing().size() > 1) {
            error += " and " + std::to_string(s.form->missing().size() - 1) + " more";
        }
        destroyWindows(xml);
        s.form.reset();
        g_object_unref(xml);
        return false;
    }

    GtkWidget* window = s.form->mainWindow();
    s.session = std::make_unique<Session>();
    s.drawing = std::make_unique<DrawingArea>(*s.form, *s.session);
    s.display = std::make_unique<WindowDisplay>(*s.form, *s.drawing);
    followWindowSize(*s.form, *s.drawing);
    s.form->createUnitsCombo();

    ctx.iconPath = findResource("bowlyn.ico");
    if (!ctx.iconPath.empty())
        gtk_window_set_icon_from_file(GTK_WINDOW(window), ctx.iconPath.c_str(), nullptr);
    s.dialogs = std::make_unique<GtkDialogs>(window, ctx.iconPath);
    ctx.session = s.session.get();
    ctx.form = s.form.get();
    ctx.drawing = s.drawing.get();
    ctx.dialogs = s.dialogs.get();
    ctx.mainWindow = window;

    gtk_widget_show_all(window);
    glade_xml_signal_autoconnect(xml);
    g_object_unref(xml);
    connectFormSignals(*s.form);

    ctx.startDirectory = currentDirectory();
    {
        // Not a user's action: the history begins after it, and the status
        // line keeps the description's own text.
        SessionAction starting(*s.session);
        loadTexts(s.session->design, presetTexts(CLEAR_ROW));
        s.session->display = s.display.get();
        s.display->showDesign(s.session->design);
        s.display->startEditing();
    }
    s.session->onChange = sessionChanged;
    s.session->restart();
    s.updates = makeReleaseWatch();
    ctx.updates = s.updates.get();
    if (s.updates)
        announceWhenAnswered(*s.updates, s.form->output(outputs::STATUS));
    return true;
}

void openDesignAtStart(const std::string& path) {
    Session* session = app().session;
    if (!session || !app().dialogs)
        return;
    {
        SessionAction loading(*session);
        openFile(*session, *app().dialogs, path);
    }
    // The file is where the user begins: undo does not lead back to the
    // cleared form that was only on screen while it loaded.
    session->start();
}

void closeMainWindow() {
    AppContext::Owned& s = app().owned;
    s.updates.reset();  // a check on its way is abandoned, not waited for
    GtkWidget* window = s.form ? s.form->mainWindow() : nullptr;
    app().forgetWindow();
    if (window && !s.windowDestroyed)
        gtk_widget_destroy(window);
    s.windowDestroyed = false;
    s.dialogs.reset();
    if (s.session)
        s.session->display = nullptr;
    s.display.reset();
    s.drawing.reset();
    s.session.reset();
    s.form.reset();
    s.importedOutline.reset();
}

std::string screenSizeMessage(int width, int height) {
    if (width < 1024) {
        return "The screen resolution of your computer is not large enough to display the Bowlyn "
               "main window. It may be possible to adjust your screen resolution to be big enough "
               "to accomodate the Bowlyn main window. See the Bowlyn documentation in the Help "
               "menu (Information selection) for instructions how to do this.";
    }
    if (height <= 768) {
        return "The screen resolution of your computer may not be large enough to display the "
               "Bowlyn main window. If you can't see the bottom of the Bowlyn main window after "
               "dragging it up as far as it will go, there are two adjustments which you can make "
               "which may help. It may be possible to adjust your screen resolution to be big "
               "enough to accomodate the Bowlyn main window, or you can adjust properties of the "
               "taskbar to keep it from hiding the bottom of the Bowlyn main window. See the "
               "Bowlyn documentation in the Help menu (Information selection) for instructions "
               "how to do this.";
    }
    return "";
}

void screenSizeCheck() {
    GdkScreen* screen = gdk_screen_get_default();
    if (!screen || !app().dialogs)
        return;
    std::string message =
        screenSizeMessage(gdk_screen_get_width(screen), gdk_screen_get_height(screen));
    if (!message.empty())
        app().dialogs->showWarning(message);
}

void runMainLoop() {
    app().mainLoopRunning = true;
    gtk_main();
    app().mainLoopRunning = false;
}

}  // namespace bowlyn

using bowlyn::app;

extern "C" {

// Closing the window ends the program; a window destroyed without a main loop
// (tests, a failed start) just goes.
G_MODULE_EXPORT gboolean windowBowlynMainWindow_destroy_cb(GtkWidget*, gpointer) {
    app().owned.windowDestroyed = true;
    app().forgetWindow();
    if (app().mainLoopRunning && gtk_main_level() > 0)
        gtk_main_quit();
    return TRUE;
}

// Nothing to do, but GTK's own handling of the event must go on: stopping it
// here would leave the window's size bookkeeping waiting for this event.
G_MODULE_EXPORT gboolean windowBowlynMainWindow_configure_event_cb(GtkWidget*, GdkEventConfigure*,
                                                                   gpointer) {
    return FALSE;
}

// Closing the window asks about unsaved work first; TRUE keeps the window.
G_MODULE_EXPORT gboolean windowBowlynMainWindow_delete_event_cb(GtkWidget*, GdkEvent*, gpointer) {
    return bowlyn::mayLeaveDesign(bowlyn::Leaving::Closing) ? FALSE : TRUE;
}

G_MODULE_EXPORT void menuQuit_activate_cb(GtkMenuItem*, gpointer) {
    if (!bowlyn::mayLeaveDesign(bowlyn::Leaving::Closing))
        return;
    if (app().mainLoopRunning && gtk_main_level() > 0)
        gtk_main_quit();
}

}  // extern "C"
