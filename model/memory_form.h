#pragma once

#include <map>
#include <string>

#include "model/form.h"

namespace bowlyn {

// The form's state kept in maps: what the window would show, without a display.
// Starts like a freshly loaded description: empty texts, the first radio button
// of each group active, everything visible and sensitive.
class MemoryForm : public Form {
  public:
    MemoryForm();

    std::string text(const std::string& widget) const override;
    void setText(const std::string& widget, const std::string& text) override;
    bool active(const std::string& widget) const override;
    void setActive(const std::string& widget, bool on) override;
    bool visible(const std::string& widget) const override;
    void setVisible(const std::string& widget, bool visible) override;
    bool sensitive(const std::string& widget) const override;
    void setSensitive(const std::string& widget, bool sensitive) override;
    int unitsIndex() const override { return units_; }
    void setUnitsIndex(int index) override { units_ = index; }
    int notebookPage() const override { return page_; }
    void setNotebookPage(int page) override { page_ = page; }
    void focus(const std::string& widget) override { focused_ = widget; }
    std::string focused() const override { return focused_; }
    void showDrawing(const DrawingSurface&) override { ++shown_; }

    // How often the drawing was shown, for tests.
    int drawingsShown() const { return shown_; }

  private:
    std::map<std::string, std::string> texts_;
    std::map<std::string, bool> active_;
    std::map<std::string, bool> hidden_;
    std::map<std::string, bool> insensitive_;
    std::string focused_;
    int units_ = 0;
    int page_ = 0;
    int shown_ = 0;
};

}  // namespace bowlyn
