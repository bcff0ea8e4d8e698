#include "app/gtk_dialogs.h"

#include <optional>
#include <vector>

#include "model/text_case.h"

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

// An export's units as the chooser offers them.
struct UnitChoice {
    const char* caption;
    std::optional<LengthUnit> unit;
};
const UnitChoice EXPORT_UNITS[] = {{"Design's own", std::nullopt},
                                   {"Inches", LengthUnit::Inch},
                                   {"Millimeters", LengthUnit::Millimetre},
                                   {"Centimeters", LengthUnit::Centimetre}};
constexpr int UNIT_CHOICES = sizeof EXPORT_UNITS / sizeof EXPORT_UNITS[0];
// The unit of an outline whose file names none.
const std::vector<const char*> OUTLINE_UNIT_CAPTIONS = {"Millimeters", "Centimeters", "Inches"};
const LengthUnit OUTLINE_UNITS[] = {LengthUnit::Millimetre, LengthUnit::Centimetre,
                                    LengthUnit::Inch};

// A text combo box of `captions`, named for tests, `active` chosen.
GtkWidget* choiceBox(const std::vector<const char*>& captions, int active, const char* name) {
    GtkWidget* box = gtk_combo_box_new_text();
    gtk_widget_set_name(box, name);
    for (const char* caption : captions)
        gtk_combo_box_append_text(GTK_COMBO_BOX(box), caption);
    const int count = static_cast<int>(captions.size());
    gtk_combo_box_set_active(GTK_COMBO_BOX(box), active >= 0 && active < count ? active : 0);
    return box;
}

int activeIndex(GtkWidget* box, int count) {
    const int active = gtk_combo_box_get_active(GTK_COMBO_BOX(box));
    return active >= 0 && active < count ? active : 0;
}

// The files of one extension, in either case.
void addFilter(GtkWidget* chooser, const std::string& caption, const std::string& extension) {
    const std::string lower = "*" + extension, upper = "*" + upperCase(extension);
    addFilter(chooser, {caption.c_str(), {lower.c_str(), upper.c_str()}});
}

// The versions of a CAM DXF, in the order of DxfVersion.
const std::vector<const char*> DXF_CAPTIONS = {"12 (POLYLINE)", "2000 (LWPOLYLINE)"};

// A short entry for a distance, named for tests, starting with `text`.
GtkWidget* distanceEntry(const char* name, const std::string& text) {
    GtkWidget* entry = gtk_entry_new();
    gtk_widget_set_name(entry, name);
    gtk_entry_set_width_chars(GTK_ENTRY(entry), 6);
    gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
    return entry;
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
    addFilter(chooser, request.filterCaption, request.extension);
    addFilter(chooser, allFiles);
    ExportChoice choice;
    if (!request.choices.any()) {
        choice.path = runFileChooser(chooser);
        return choice;
    }

    const ExportChoices& asks = request.choices;
    std::vector<const char*> units, papers;
    for (const UnitChoice& u : EXPORT_UNITS)
        units.push_back(u.caption);
    for (const PaperChoice& p : paperChoices())
        papers.push_back(p.caption);
    GtkWidget* unit = asks.unit ? choiceBox(units, exportUnit_, "exportUnits") : nullptr;
    GtkWidget* paper = asks.paper ? choiceBox(papers, exportPaper_, "exportPaper") : nullptr;
    GtkWidget* dxf = asks.dxf ? choiceBox(DXF_CAPTIONS, exportDxf_, "exportDxfVersion") : nullptr;
    // Blank for no mould and for exact arcs; a distance in the unit chosen
    // beside them.
    GtkWidget* mould = asks.mould ? distanceEntry("exportMould", exportMould_) : nullptr;
    GtkWidget* flatten = asks.dxf ? distanceEntry("exportFlatten", exportFlatten_) : nullptr;
    GtkWidget* extra = gtk_vbox_new(FALSE, 4);
    GtkWidget* row = gtk_hbox_new(FALSE, 6);
    gtk_box_pack_start(GTK_BOX(extra), row, FALSE, FALSE, 0);
    if (unit)
        packChoice(row, "_Units:", unit);
    if (paper)
        packChoice(row, "_Paper:", paper);
    if (mould)
        packChoice(row, "_Mould:", mould);
    if (dxf) {
        // The DXF's own choices on a line of their own.
        row = gtk_hbox_new(FALSE, 6);
        gtk_box_pack_start(GTK_BOX(extra), row, FALSE, FALSE, 0);
        packChoice(row, "_DXF version:", dxf);
        packChoice(row, "_Flatten arcs within:", flatten);
    }
    gtk_widget_show_all(extra);
    gtk_file_chooser_set_extra_widget(GTK_FILE_CHOOSER(chooser), extra);

    // Read before the chooser and its extra widget are destroyed.
    for (GtkWidget* w : {unit, paper, dxf}) {
        if (w)
            g_object_ref(w);
    }
    // An entry empties itself as it is destroyed: its text is taken as the
    // chooser answers.
    struct Typed {
        GtkWidget* entry;
        std::string* text;
    };
    std::vector<Typed> typed;
    if (mould)
        typed.push_back({mould, &exportMould_});
    if (flatten)
        typed.push_back({flatten, &exportFlatten_});
    if (!typed.empty()) {
        g_signal_connect(chooser, "response", G_CALLBACK(+[](GtkDialog*, gint, gpointer data) {
                             for (Typed& t : *static_cast<std::vector<Typed>*>(data))
                                 *t.text = gtk_entry_get_text(GTK_ENTRY(t.entry));
                         }),
                         &typed);
    }
    choice.path = runFileChooser(chooser);
    if (unit) {
        exportUnit_ = activeIndex(unit, UNIT_CHOICES);
        choice.settings.unit = EXPORT_UNITS[exportUnit_].unit;
        g_object_unref(unit);
    }
    if (paper) {
        exportPaper_ = activeIndex(paper, static_cast<int>(paperChoices().size()));
        choice.settings.paper = paperChoices()[exportPaper_].paper;
        g_object_unref(paper);
    }
    if (dxf) {
        exportDxf_ = activeIndex(dxf, static_cast<int>(DXF_CAPTIONS.size()));
        choice.settings.dxfVersion = exportDxf_ == 0 ? DxfVersion::R12 : DxfVersion::R2000;
        choice.settings.flatten = typedDistance(exportFlatten_);
        g_object_unref(dxf);
    }
    if (mould)
        choice.settings.mould = typedDistance(exportMould_);
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

    GtkWidget* units = choiceBox(OUTLINE_UNIT_CAPTIONS, outlineUnit_, "outlineUnits");
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
    outlineUnit_ = activeIndex(units, static_cast<int>(OUTLINE_UNIT_CAPTIONS.size()));
    g_object_unref(units);
    choice.unit = OUTLINE_UNITS[outlineUnit_];
    outlineDpi_ = typed.text;
    choice.dpi = outlineDpi_;
    return choice;
}

void GtkDialogs::showTable(const std::string& title, const std::vector<std::string>& columns,
                           const std::vector<std::vector<std::string>>& rows) {
    GtkWindow* parent = parent_ && GTK_IS_WINDOW(parent_) ? GTK_WINDOW(parent_) : nullptr;
    GtkWidget* dialog = gtk_dialog_new_with_buttons(title.c_str(), parent, GTK_DIALOG_MODAL,
                                                    GTK_STOCK_CLOSE, GTK_RESPONSE_CLOSE, nullptr);
    decorate(dialog);
    gtk_widget_set_name(dialog, "tableDialog");
    const int n = static_cast<int>(columns.size());
    std::vector<GType> types(columns.size(), G_TYPE_STRING);
    GtkListStore* store = gtk_list_store_newv(n, types.data());
    for (const std::vector<std::string>& row : rows) {
        GtkTreeIter it;
        gtk_list_store_append(store, &it);
        for (int c = 0; c < n && c < static_cast<int>(row.size()); ++c)
            gtk_list_store_set(store, &it, c, row[c].c_str(), -1);
    }
    GtkWidget* view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
    g_object_unref(store);
    gtk_widget_set_name(view, "tableView");
    for (int c = 0; c < n; ++c) {
        GtkCellRenderer* cell = gtk_cell_renderer_text_new();
        g_object_set(cell, "xalign", c == 0 ? 0.0 : 1.0, nullptr);
        GtkTreeViewColumn* column =
            gtk_tree_view_column_new_with_attributes(columns[c].c_str(), cell, "text", c, nullptr);
        gtk_tree_view_column_set_alignment(column, c == 0 ? 0.0f : 1.0f);
        gtk_tree_view_append_column(GTK_TREE_VIEW(view), column);
    }
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC,
                                   GTK_POLICY_AUTOMATIC);
    gtk_container_add(GTK_CONTAINER(scrolled), view);
    gtk_widget_set_size_request(scrolled, 560, 480);
    gtk_box_pack_start(GTK_BOX(GTK_DIALOG(dialog)->vbox), scrolled, TRUE, TRUE, 0);
    gtk_widget_show_all(scrolled);
    run(dialog);
}

}  // namespace bowlyn
