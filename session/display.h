#pragma once

#include <string>

namespace bowlyn {

struct Design;
struct PassResult;

// What shows a session to its user: the window, or a test's record of what
// it was told. Each call says what changed, in types; only the window knows
// which widgets show it.
class Display {
  public:
    virtual ~Display() = default;
    // The form shows the design: every field's text, switch and choice, and
    // the units.
    virtual void showDesign(const Design& design) = 0;
    // A pass over `design`'s values was run: its picture, its status, the
    // marks on the entries of the fields a problem concerns, the derived
    // values and what a complete pass gives beyond them, the measurements and
    // the air (derive/pass_report.h).
    virtual void showPass(const PassResult& pass, const Design& design) = 0;
    // The drawing blank, the status line "Status: OK", no mark and no value:
    // what a load leaves until the next pass.
    virtual void showBlank() = 0;
    // A line for the status line in place of the pass's ("Wrote om.svg").
    virtual void showStatus(const std::string& text) = 0;
    // A design was loaded: typing begins in its first entry.
    virtual void startEditing() = 0;
};

}  // namespace bowlyn
