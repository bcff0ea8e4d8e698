#pragma once

#include <gtk/gtk.h>

#include <string>

#include "model/dialogs.h"

namespace bowlyn {

// Modal GTK dialogs over the main window, destroyed with it and carrying the
// application icon.
class GtkDialogs : public Dialogs {
  public:
    // `iconPath` may be "" (no icon).
    GtkDialogs(GtkWidget* parent, const std::string& iconPath);
    ~GtkDialogs() override;
    GtkDialogs(const GtkDialogs&) = delete;
    GtkDialogs& operator=(const GtkDialogs&) = delete;

    void showError(const std::string& message) override;
    void showWarning(const std::string& message) override;
    bool askYesNo(const std::string& question) override;
    SaveChoice askSaveChanges(const std::string& question) override;
    std::string chooseFile(FileDialogMode mode, const std::string& initialFolder,
                           const std::string& initialName) override;
    // The unit, paper, mould and DXF choices sit beneath the chooser's file
    // list, and keep what was chosen last for the next export.
    ExportChoice chooseExportFile(const ExportRequest& request, const std::string& initialFolder,
                                  const std::string& initialName) override;
    // A list of the rows in a dialog with a Close button; numbers right-aligned.
    void showTable(const std::string& title, const std::vector<std::string>& columns,
                   const std::vector<std::vector<std::string>>& rows) override;
    void showInfo(const std::string& message) override;
    // The unit and resolution beneath the list keep what was chosen last.
    OutlineChoice chooseOutlineFile(const std::string& initialFolder) override;

  private:
    GtkWidget* newFileChooser(const char* title, bool open, const std::string& initialFolder,
                              const std::string& initialName);
    GtkWidget* newMessage(GtkMessageType type, GtkButtonsType buttons, const std::string& message);
    int run(GtkWidget* dialog);
    int runMessage(GtkMessageType type, GtkButtonsType buttons, const std::string& message);
    void decorate(GtkWidget* dialog);

    GtkWidget* parent_;
    GdkPixbuf* icon_ = nullptr;
    int exportUnit_ = 0, exportPaper_ = 0, exportDxf_ = 0;  // indices of the choices last made
    std::string exportMould_;                               // the mould's distance last typed
    std::string exportFlatten_;       // the CAM DXF's flattening tolerance last typed
    int outlineUnit_ = 0;             // of an outline without one
    std::string outlineDpi_ = "300";  // a scanned outline's resolution last typed
};

}  // namespace bowlyn
