// File > Export for CAM, Export SVG, Export PDF template and Print: what the
// window writes is what the readers accept, in the unit and on the paper the
// user chose, and the outline's measurements beside the derived values.

#include <gtk/gtkunixprint.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

#include "app/template_print.h"
#include "derive/solved_design.h"
#include "geometry/pass_texts.h"
#include "gui_support.h"
#include "model/output_table.h"

namespace bowlyn::test {
namespace {

// What a command prints, or "" when it cannot run.
std::string output(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, p)) > 0)
            out.append(buffer, n);
        pclose(p);
    }
    return out;
}

bool haveTool(const char* tool) {
    return !output(std::string("command -v ") + tool).empty();
}

// pdfinfo's page count and the size of each page ("595.276 x 841.89").
struct PdfInfo {
    int pages = 0;
    std::vector<std::string> sizes;
};

PdfInfo pdfInfo(const std::string& path) {
    PdfInfo info;
    const std::string text = output("pdfinfo -f 1 -l 999 '" + path + "' 2>/dev/null");
    std::smatch m;
    if (std::regex_search(text, m, std::regex("Pages: +([0-9]+)")))
        info.pages = std::stoi(m[1]);
    const std::regex size("Page +[0-9]+ size: +([0-9.]+ x [0-9.]+)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), size);
         it != std::sregex_iterator(); ++it)
        info.sizes.push_back((*it)[1]);
    return info;
}

// The page labels and "page N of M" lines that pdftotext finds, in order.
std::vector<std::string> pageMarks(const std::string& path) {
    const std::string text = output("pdftotext -layout '" + path + "' - 2>/dev/null");
    std::vector<std::string> marks;
    const std::regex mark("page [0-9]+ of [0-9]+|\\b[A-Z][0-9]+\\b");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), mark);
         it != std::sregex_iterator(); ++it)
        marks.push_back(it->str());
    return marks;
}

// The print dialog while it runs, or nullptr.
GtkWidget* printDialog() {
    GtkWidget* found = nullptr;
    GList* tops = gtk_window_list_toplevels();
    for (GList* t = tops; t; t = t->next) {
        if (GTK_IS_PRINT_UNIX_DIALOG(t->data) && gtk_widget_get_visible(GTK_WIDGET(t->data)))
            found = GTK_WIDGET(t->data);
    }
    g_list_free(tops);
    return found;
}

// Answers the print dialog once its printer list has the printer of the
// settings: what the printer-scale tab shows, then the user's correction
// and Print. Gives up (Cancel) after ten seconds.
struct PrintDialogAnswer {
    double shownAcross = 0, shownDown = 0;
    double across = 100, down = 100;
    bool answered = false;
    int ticks = 0;
};

gboolean answerPrintDialog(gpointer data) {
    auto* a = static_cast<PrintDialogAnswer*>(data);
    GtkWidget* dialog = printDialog();
    if (!dialog)
        return TRUE;  // not shown yet, or answered and gone: the test removes this
    if (a->answered)
        return TRUE;
    if (!gtk_print_unix_dialog_get_selected_printer(GTK_PRINT_UNIX_DIALOG(dialog)) &&
        ++a->ticks < 500)
        return TRUE;  // the printers are still being listed
    GtkWidget* across = findWidget(dialog, "printScaleAcross");
    GtkWidget* down = findWidget(dialog, "printScaleDown");
    if (across && down) {
        a->shownAcross = gtk_spin_button_get_value(GTK_SPIN_BUTTON(across));
        a->shownDown = gtk_spin_button_get_value(GTK_SPIN_BUTTON(down));
        gtk_spin_button_set_value(GTK_SPIN_BUTTON(across), a->across);
        gtk_spin_button_set_value(GTK_SPIN_BUTTON(down), a->down);
    }
    a->answered = true;
    gtk_dialog_response(GTK_DIALOG(dialog),
                        a->ticks < 500 && across ? GTK_RESPONSE_OK : GTK_RESPONSE_CANCEL);
    return TRUE;
}

class WorkshopFiles : public GuiTest {
  protected:
    void TearDown() override {
        app().printing.reset();  // each test starts with the printer as the program does
        GuiTest::TearDown();
    }
};

TEST_F(WorkshopFiles, EveryExportAndPrintRefusesAnIncompleteOutlineBeforeAskingForAFile) {
    activate("menuInitializeOM");  // loaded, not yet drawn
    const std::pair<const char*, const char*> items[] = {{"menuExportCAM", ".dxf"},
                                                         {"menuExportSVG", ".svg"},
                                                         {"menuExportPDF", ".pdf"},
                                                         {"menuPrint", ".pdf"}};
    for (const auto& [item, extension] : items) {
        dialogs.errors.clear();
        activate(item);
        ASSERT_EQ(dialogs.errors.size(), 1u) << item;
        EXPECT_EQ(dialogs.errors[0], outlineIncompleteMessage(extension)) << item;
    }
    EXPECT_TRUE(dialogs.modes.empty());
    EXPECT_EQ(app().printing, nullptr);
}

TEST_F(WorkshopFiles, MenuItemsWriteTheChosenFormatUnitAndPaperUnderTheirExtension) {
    activate("menuInitializeOM");
    click("buttonOk");
    const std::string cam = temp("om-cam.dxf"), svg = temp("om-true.svg"), pdf = temp("om.pdf");
    // Names typed without their extension get it.
    dialogs.files = {cam.substr(0, cam.size() - 4), svg.substr(0, svg.size() - 4),
                     pdf.substr(0, pdf.size() - 4)};
    dialogs.units = {LengthUnit::Millimetre, LengthUnit::Centimetre, std::nullopt};
    dialogs.papers = {*paperByName("letter")};
    activate("menuExportCAM");
    activate("menuExportSVG");
    activate("menuExportPDF");
    EXPECT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
    ASSERT_EQ(dialogs.exportRequests.size(), 3u);
    EXPECT_FALSE(dialogs.exportRequests[0].choices.paper);
    EXPECT_FALSE(dialogs.exportRequests[1].choices.paper);
    EXPECT_TRUE(dialogs.exportRequests[2].choices.paper);

    const std::string dxf = contents(cam);
    EXPECT_NE(dxf.find("$INSUNITS\r\n 70\r\n4\r\n"), std::string::npos);
    EXPECT_NE(dxf.find("POLYLINE"), std::string::npos);
    // The OM is 15 in wide: 38.1 cm, as the SVG states its true size.
    const std::string text = contents(svg);
    EXPECT_NE(text.find("<title>OM</title>"), std::string::npos);
    std::smatch width;
    ASSERT_TRUE(std::regex_search(text, width, std::regex("<svg[^>]* width=\"([0-9.]+)cm\"")));
    EXPECT_GT(std::stod(width[1]), 38.1);
    EXPECT_EQ(contents(pdf).rfind("%PDF-", 0), 0u);
    if (haveTool("pdfinfo")) {
        const PdfInfo info = pdfInfo(pdf);
        EXPECT_GT(info.pages, 2);
        for (const std::string& size : info.sizes)
            EXPECT_TRUE(size == "612 x 792" || size == "792 x 612") << size;
    }
}

TEST_F(WorkshopFiles, AValueTypedAndNotLeftIsExportedAndMeasured) {
    activate("menuInitializeOM");
    click("buttonOk");
    EXPECT_EQ(text("labelLengthData"), "19.4 in");
    EXPECT_EQ(text("labelWidthData"), "15 in");
    const std::string before = text("labelPerimeterData");
    EXPECT_NE(before.find(" in"), std::string::npos);
    EXPECT_NE(text("labelAreaData").find(" in\u00b2"), std::string::npos);
    EXPECT_NE(text("labelFretboardAreaData"), " ");

    // A wider lower bout, typed and not committed: the export draws it first.
    type("entryLBWidth", "15.4");
    const std::string svg = temp("wider.svg");
    dialogs.files = {svg};
    activate("menuExportSVG");
    EXPECT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
    EXPECT_EQ(text("labelWidthData"), "15.4 in");
    EXPECT_NE(text("labelPerimeterData"), before);
    EXPECT_NE(contents(svg).find("</svg>"), std::string::npos);
}

// The print operation's PDF export holds the same tiles as File > Export PDF
// template on the same paper: page count, page sizes, labels and numbers.
TEST_F(WorkshopFiles, PrintingToAFileGivesTheTemplatesTiles) {
    if (!haveTool("pdfinfo") || !haveTool("pdftotext"))
        GTEST_SKIP() << "poppler-utils are not installed";
    activate("menuInitializeOM");
    click("buttonOk");
    const std::string exported = temp("exported.pdf"), printed = temp("printed.pdf");
    dialogs.files = {exported};
    dialogs.papers = {paperA4()};
    activate("menuExportPDF");
    ASSERT_TRUE(printOpenDesign(GTK_PRINT_OPERATION_ACTION_EXPORT, printed));
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(text("labelStatusText"), "Printed 14 pages of A4");

    const PdfInfo want = pdfInfo(exported), got = pdfInfo(printed);
    EXPECT_EQ(got.pages, want.pages);
    EXPECT_EQ(got.sizes, want.sizes);
    const std::vector<std::string> marks = pageMarks(printed);
    EXPECT_EQ(marks, pageMarks(exported));
    const std::string last =
        "page " + std::to_string(want.pages) + " of " + std::to_string(want.pages);
    EXPECT_NE(std::find(marks.begin(), marks.end(), last), marks.end());
    EXPECT_NE(output("pdftotext '" + printed + "' -").find("Print at 100 % (actual size)"),
              std::string::npos);

    // The paper comes from the page setup and stays for the session.
    app().printing->setPaper(GTK_PAPER_NAME_LETTER);
    const std::string letter = temp("letter.pdf");
    ASSERT_TRUE(printOpenDesign(GTK_PRINT_OPERATION_ACTION_EXPORT, letter));
    for (const std::string& size : pdfInfo(letter).sizes)
        EXPECT_TRUE(size == "612 x 792" || size == "792 x 612") << size;
}

// File > Print... through the real dialog, printing to a file: the scale
// tab shows the session's correction, what the user enters there is kept for
// the next print, and the pages are drawn so that a printer printing 98.5 %
// across the paper prints them true: rendered at 254 dpi, the 100 mm ruler
// measures 100 / 0.985 mm.
TEST_F(WorkshopFiles, ThePrintDialogsScaleTabIsKeptForTheSession) {
    if (!haveTool("pdfinfo") || !haveTool("pdftoppm") || !haveTool("python3"))
        GTEST_SKIP() << "poppler-utils or python3 are not installed";
    // Printing to a file needs no print server; the machines that run the
    // tests have none, nor the system bus that CUPS asks for.
    g_object_set(gtk_settings_get_default(), "gtk-print-backends", "file", nullptr);
    activate("menuInitializeOM");
    click("buttonOk");
    app().printing = std::make_unique<PrintSession>();
    auto printTo = [&](const std::string& path) {
        GtkPrintSettings* settings = gtk_print_settings_new();
        gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
        gtk_print_settings_set_printer(settings, "Print to File");
        gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, uri);
        gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
        app().printing->keepSettings(settings);
        g_free(uri);
        g_object_unref(settings);
    };
    const std::string first = temp("dialog-1.pdf"), second = temp("dialog-2.pdf");
    printTo(first);
    PrintDialogAnswer answer;
    answer.across = 98.5;
    answer.down = 101;
    guint source = g_timeout_add(20, answerPrintDialog, &answer);
    activate("menuPrint");
    ASSERT_TRUE(runLoopUntil([&] { return answer.answered && !printDialog(); }, 20));
    g_source_remove(source);
    EXPECT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
    EXPECT_EQ(answer.shownAcross, 100);
    EXPECT_EQ(answer.shownDown, 100);
    EXPECT_EQ(app().printing->scaleAcross, 98.5);
    EXPECT_EQ(app().printing->scaleDown, 101);
    ASSERT_TRUE(runLoopUntil([&] { return pdfInfo(first).pages > 2; }, 20)) << "nothing printed";
    const std::string rulers = std::string("python3 ") + BOWLYN_SOURCE_DIR +
                               "/tests/scripts/pdf_readback.py rulers '" + first + "' 2";
    EXPECT_EQ(system((rulers + " 98.5").c_str()), 0);
    EXPECT_NE(system((rulers + " >/dev/null 2>&1").c_str()), 0);

    // The next print shows the correction kept.
    printTo(second);
    PrintDialogAnswer again;
    source = g_timeout_add(20, answerPrintDialog, &again);
    activate("menuPrint");
    ASSERT_TRUE(runLoopUntil([&] { return again.answered && !printDialog(); }, 20));
    g_source_remove(source);
    EXPECT_EQ(again.shownAcross, 98.5);
    EXPECT_EQ(again.shownDown, 101);
}

}  // namespace
}  // namespace bowlyn::test
