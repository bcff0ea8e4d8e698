#include "model/design.h"

#include "model/presets.h"

namespace bowlyn {

// The presets are there from the start, so that any Design can load one.
Design::Design(Form& f) : form(f), presets(builtInPresetTable()) {}

}  // namespace bowlyn
