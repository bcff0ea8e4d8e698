#include "app/gtk_dialogs.h"

namespace bowlyn {

namespace {

struct FileFilter {
    const char* caption;
    const char* patterns[2];
};

const FileFilter bowlynFiles = {"Bowlyn Files, (*.bowlyn)", {"*.bowlyn", "*.BOWLYN"}};
const FileFilter dxfFiles = {"DXF Files, (*.dxf)", {"*.dxf", "*.DXF"}};
const FileFilter allFiles = {"All Files, (*.*)", {"*", nullptr}};
const char* const OUTLINE_PATTERNS[] = {"*.svg", "*.dxf", "*.png", "*.jpg", "*.jpeg", "*.txt",
                                        "*.SVG", "*.DXF", "*.PNG", "*.JPG", "*.JPEG", "*.TXT"};

void addFilter(GtkWidget* chooser, const FileFilter& def) {
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, def.caption);
    for (const char* pattern : def.patterns) {
        if (pattern)
            gtk_file_filter_add_pattern(filter, pattern);
    }
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
}

// Title of the file dialog of each mode.
const char* fileDialogTitle(FileDialogMode mode) {
    switch (mode) {
        case FileDialogMode::Open:
            return "open";
        case FileDialogMode::Save:
            return "Save as";
        case FileDialogMode::Export:
            return "Save outline as .dxf file";
    }
    return "";
}

struct Choice {
    const char* caption;
    const char* value;
};
// An export's units and a template's paper, as the chooser offers them.
constexpr Choice EXPORT_UNITS[] = {
    {"Design's own", ""}, {"Inches", "in"}, {"Millimeters", "mm"}, {"Centimeters", "cm"}};
// The unit of an outline whose file names none.
constexpr Choice OUTLINE_UNITS[] = {{"Millimeters", "mm"}, {"Centimeters", "cm"}, {"Inches", "in"}};
constexpr Choice EXPORT_PAPERS[] = {{"A4", "a4"},
                                    {"Letter", "letter"},
                                    {"A3", "a3"},
                                    {"Tabloid", "tabloid"},
                                    {"Full size", "full"}};

// A text combo box of `choices`, named for tests, `active` chosen.
template <size_t N>
GtkWidget* choiceBox(const Choice (&choices)[N], int active, const char* name) {
    GtkWidget* box = gtk_combo_box_new_text();
    gtk_widget_set_name(box, name);
    for (const Choice& c : choices)
        gtk_combo_box_append_text(GTK_COMBO_BOX(box), c.caption);
    gtk_combo_box_set_active(GTK_COMBO_BOX(box), active >= 0 && active < int(N) ? active : 0);
    return box;
}

template <size_t N>
int activeIndex(GtkWidget* box, const Choice (&)[N]) {
    const int active = gtk_combo_box_get_active(GTK_COMBO_BOX(box));
    return active >= 0 && active < int(N) ? active : 0;
}

void packChoice(GtkWidget* hbox, const char* caption, GtkWidget* box) {
    GtkWidget* label = gtk_label_new_with_mnemonic(caption);
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), box);
    gtk_box_pack_start(GTK_BOX(hbox), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(hbox), box, FALSE, FALSE, 6);
}

}  // namespace

GtkDialogs::GtkDialogs(GtkWidget* parent, const std::string& iconPath) : parent_(parent) {
    if (parent_)
        g_object_ref(parent_);
    if (!iconPath.empty())
        icon_ = gdk_pixbuf_new_from_file(iconPath.c_str(), nullptr);
}

GtkDialogs::~GtkDialogs() {
    if (icon_)
        g_object_unref(icon_);
    if (parent_)
        g_object_unref(parent_);
}

void GtkDialogs::decorate(GtkWidget* dialog) {
    if (icon_)
        gtk_window_set_icon(GTK_WINDOW(dialog), icon_);
}

GtkWidget* GtkDialogs::newMessage(GtkMessageType type, GtkButtonsType buttons,
                                  const std::string& message) {
    GtkWindow* parent = parent_ && GTK_IS_WINDOW(parent_) ? GTK_WINDOW(parent_) : nullptr;
    // The text goes in as an argument, never as the format: file names may hold '%'.
    GtkWidget* dialog = gtk_message_dialog_new(
        parent, GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT), type, buttons,
        "%s", message.c_str());
    decorate(dialog);
    return dialog;
}

int GtkDialogs::run(GtkWidget* dialog) {
    int response = gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    return response;
}

int GtkDialogs::runMessage(GtkMessageType type, GtkButtonsType buttons,
                           const std::string& message) {
    return run(newMessage(type, buttons, message));
}

void GtkDialogs::showError(const std::string& message) {
    runMessage(GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, message);
}

void GtkDialogs::showWarning(const std::string& message) {
    runMessage(GTK_MESSAGE_WARNING, GTK_BUTTONS_OK, message);
}

bool GtkDialogs::askYesNo(const std::string& question) {
    return runMessage(GTK_MESSAGE_QUESTION, GTK_BUTTONS_YES_NO, question) == GTK_RESPONSE_YES;
}

SaveChoice GtkDialogs::askSaveChanges(const std::string& question) {
    GtkWidget* dialog = newMessage(GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE, question);
    gtk_dialog_add_buttons(GTK_DIALOG(dialog), GTK_STOCK_DISCARD, GTK_RESPONSE_REJECT,
                           GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL, GTK_STOCK_SAVE,
                           GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    switch (run(dialog)) {
        case GTK_RESPONSE_ACCEPT:
            return SaveChoice::Save;
        case GTK_RESPONSE_REJECT:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
    }
}

GtkWidget* GtkDialogs::newFileChooser(const char* title, bool open,
                                      const std::string& initialFolder,
                                      const std::string& initialName) {
    GtkWindow* parent = parent_ && GTK_IS_WINDOW(parent_) ? GTK_WINDOW(parent_) : nullptr;
    GtkWidget* chooser = gtk_file_chooser_dialog_new(
        title, parent, open ? GTK_FILE_CHOOSER_ACTION_OPEN : GTK_FILE_CHOOSER_ACTION_SAVE,
        GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL, open ? GTK_STOCK_OPEN : GTK_STOCK_SAVE,
        GTK_RESPONSE_ACCEPT, nullptr);
    gtk_window_set_modal(GTK_WINDOW(chooser), TRUE);
    gtk_window_set_destroy_with_parent(GTK_WINDOW(chooser), TRUE);
    gtk_dialog_set_default_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
    decorate(chooser);
    // Without a folder GTK shows "Recently Used", where a typed plain name is
    // refused; the working folder is where a user expects to start.
    gchar* here = g_get_current_dir();
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser),
                                        initialFolder.empty() ? here : initialFolder.c_str());
    g_free(here);
    // The name box of a chooser that saves starts with the design's name.
    if (!open && !initialName.empty())
        gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), initialName.c_str());
    return chooser;
}

// The chosen file, or "" when the chooser was cancelled. Destroys it.
static std::string runFileChooser(GtkWidget* chooser) {
    std::string chosen;
    if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
        if (gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser))) {
            chosen = name;
            g_free(name);
        }
    }
    gtk_widget_destroy(chooser);
    return chosen;
}

std::string GtkDialogs::chooseFile(FileDialogMode mode, const std::string& initialFolder,
                                   const std::string& initialName) {
    const bool open = mode == FileDialogMode::Open;
    GtkWidget* chooser = newFileChooser(fileDialogTitle(mode), open, initialFolder, initialName);
    addFilter(chooser, mode == FileDialogMode::Export ? dxfFiles : bowlynFiles);
    addFilter(chooser, allFiles);
    return runFileChooser(chooser);
}

ExportChoice GtkDialogs::chooseExportFile(const ExportRequest& request,
                                          const std::string& initialFolder,
                                          const std::string& initialName) {
    GtkWidget* chooser = newFileChooser(request.title.c_str(), false, initialFolder, initialName);
    const std::string pattern = "*" + request.extension;
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, request.filterCaption.c_str());
    gtk_file_filter_add_pattern(filter, pattern.c_str());
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
    addFilter(chooser, allFiles);

    GtkWidget* units = choiceBox(EXPORT_UNITS, exportUnit_, "exportUnits");
    GtkWidget* paper =
        request.choosePaper ? choiceBox(EXPORT_PAPERS, exportPaper_, "exportPaper") : nullptr;
    // Blank for no mould; a distance in the unit chosen beside it.
    GtkWidget* mould = gtk_entry_new();
    gtk_widget_set_name(mould, "exportMould");
    gtk_entry_set_width_chars(GTK_ENTRY(mould), 6);
    gtk_entry_set_text(GTK_ENTRY(mould), exportMould_.c_str());
    GtkWidget* extra = gtk_hbox_new(FALSE, 6);
    packChoice(extra, "_Units:", units);
    if (paper)
        packChoice(extra, "_Paper:", paper);
    packChoice(extra, "_Mould:", mould);
    gtk_widget_show_all(extra);
    gtk_file_chooser_set_extra_widget(GTK_FILE_CHOOSER(chooser), extra);

    // Read before the chooser and its extra widget are destroyed.
    ExportChoice choice;
    g_object_ref(units);
    // An entry empties itself as it is destroyed: its text is taken as the
    // chooser answers.
    struct Typed {
        GtkWidget* entry;
        std::string text;
    } typed{mould, exportMould_};
    g_signal_connect(chooser, "response", G_CALLBACK(+[](GtkDialog*, gint, gpointer data) {
                         Typed* t = static_cast<Typed*>(data);
                         t->text = gtk_entry_get_text(GTK_ENTRY(t->entry));
                     }),
                     &typed);
    if (paper)
        g_object_ref(paper);
    choice.path = runFileChooser(chooser);
    exportUnit_ = activeIndex(units, EXPORT_UNITS);
    choice.unit = EXPORT_UNITS[exportUnit_].value;
    g_object_unref(units);
    exportMould_ = typed.text;
    choice.mould = exportMould_;
    if (paper) {
        exportPaper_ = activeIndex(paper, EXPORT_PAPERS);
        choice.paper = EXPORT_PAPERS[exportPaper_].value;
        g_object_unref(paper);
    }
    return choice;
}

void GtkDialogs::showInfo(const std::string& message) {
    runMessage(GTK_MESSAGE_INFO, GTK_BUTTONS_OK, message);
}

OutlineChoice GtkDialogs::chooseOutlineFile(const std::string& initialFolder) {
    GtkWidget* chooser = newFileChooser("Import outline", true, initialFolder, "");
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, "Outlines (*.svg, *.dxf, *.png, *.jpg, *.txt)");
    for (const char* pattern : OUTLINE_PATTERNS)
        gtk_file_filter_add_pattern(filter, pattern);
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
    addFilter(chooser, allFiles);

    GtkWidget* units = choiceBox(OUTLINE_UNITS, outlineUnit_, "outlineUnits");
    GtkWidget* dpi = gtk_entry_new();
    gtk_widget_set_name(dpi, "outlineDpi");
    gtk_entry_set_width_chars(GTK_ENTRY(dpi), 6);
    gtk_entry_set_text(GTK_ENTRY(dpi), outlineDpi_.c_str());
    GtkWidget* extra = gtk_hbox_new(FALSE, 6);
    packChoice(extra, "_Unit if the file has none:", units);
    packChoice(extra, "_Resolution of a picture (dpi):", dpi);
    gtk_widget_show_all(extra);
    gtk_file_chooser_set_extra_widget(GTK_FILE_CHOOSER(chooser), extra);

    // Read as the chooser answers, before its extra widget is destroyed.
    struct Typed {
        GtkWidget* entry;
        std::string text;
    } typed{dpi, outlineDpi_};
    g_signal_connect(chooser, "response", G_CALLBACK(+[](GtkDialog*, gint, gpointer data) {
                         Typed* t = static_cast<Typed*>(data);
                         t->text = gtk_entry_get_text(GTK_ENTRY(t->entry));
                     }),
                     &typed);
    g_object_ref(units);
    OutlineChoice choice;
    choice.path = runFileChooser(chooser);
    outlineUnit_ = activeIndex(units, OUTLINE_UNITS);
    g_object_unref(units);
    choice.unit = OUTLINE_UNITS[outlineUnit_].value;
    outlineDpi_ = typed.text;
    choice.dpi = outlineDpi_;
    return choice;
}

}  // namespace bowlyn
