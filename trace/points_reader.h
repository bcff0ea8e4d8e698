#pragma once

#include <string>

#include "trace/trace_file.h"

namespace bowlyn {

// A points file: one point a line, x and y separated by spaces, tabs or a
// comma, in the order they lie along the outline; "#" starts a comment,
// blank lines are skipped. Carries no unit. A line that is not two numbers
// is refused with its number.
TraceFile readPointsOutline(const std::string& text);

}  // namespace bowlyn
