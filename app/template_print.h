#pragma once

#include <gtk/gtk.h>

#include <string>

#include "paper/template_plan.h"

namespace bowlyn {

// What printing remembers while the program runs: the printer and its
// settings, the page setup (the paper) and the printer's scale correction.
class PrintSession {
  public:
    PrintSession();
    ~PrintSession();
    PrintSession(const PrintSession&) = delete;
    PrintSession& operator=(const PrintSession&) = delete;

    GtkPrintSettings* settings() const { return settings_; }
    GtkPageSetup* pageSetup() const { return pageSetup_; }
    void keepSettings(GtkPrintSettings* settings);
    void keepPageSetup(GtkPageSetup* setup);
    // Paper by GTK's name ("iso_a4", "na_letter"), for tests and start-up.
    void setPaper(const char* name);

    // What the printer makes of 100 % across the paper and down it, in
    // percent, as the 100 mm ruler of a print measured it.
    double scaleAcross = 100.0, scaleDown = 100.0;

  private:
    GtkPrintSettings* settings_ = nullptr;
    GtkPageSetup* pageSetup_ = nullptr;
};

// Prints the paper template of a complete pass through GTK's print
// operation, tiled as the PDF template is for the paper of the page setup,
// each page in its own orientation; the print dialog has a tab for the
// printer's scale. `action` is GTK's: print with the dialog, or export to
// `exportFile` (a PDF) without one. `settings` gives the title, date and
// overlap; paper and scale come from the session.
struct PrintOutcome {
    GtkPrintOperationResult result = GTK_PRINT_OPERATION_RESULT_ERROR;
    std::string problem;  // why nothing was printed; "" when printed or cancelled
    std::string pages;    // what was printed: "11 pages of A4"
};
PrintOutcome printTemplate(GtkWindow* parent, const SolvedDesign& design,
                           const TemplateSettings& settings, PrintSession& session,
                           GtkPrintOperationAction action, const std::string& exportFile = "");

// File > Print...: the open design's template, the focused entry committed
// and the pass brought up to date first; an incomplete outline gets the
// exports' refusal and a failure its message, in a dialog; the status line
// says what was printed. `action` and `exportFile` as above (tests export to
// a PDF). True when printed.
bool printOpenDesign(GtkPrintOperationAction action, const std::string& exportFile = "");

}  // namespace bowlyn
