#pragma once

#include <string>
#include <vector>

#include "model/design_parameters.h"

namespace bowlyn {

struct Design;

// Everything the form shows of a design and the values behind it: the text
// of every entry, the state of every switch, the units, and the stored
// parameters (which differ from the texts while a typed value is not yet
// committed).
struct FormState {
    std::vector<std::string> controls;  // one per control of the field table
    int units = 0;
    DesignParameters params{};

    bool operator==(const FormState& other) const;
    bool operator!=(const FormState& other) const { return !(*this == other); }
};

FormState captureForm(const Design& design);
// Puts the form and the values back as they were: texts, switches with the
// containers they show or make sensitive, units, then the stored values.
void restoreForm(Design& design, const FormState& state);

}  // namespace bowlyn
