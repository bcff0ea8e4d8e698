#pragma once

#include <string>

namespace bowlyn {

// "0.7 Release 08-12-2011": the release number and date as the About box shows them.
std::string aboutVersionText();

// The About box's description, with a note when `newest` names a newer release.
std::string aboutCommentsText(double newest);

// The licence shown in the About box: every line of the file followed by a
// carriage return. "" when the file cannot be read.
std::string readLicenceText(const std::string& path);

}  // namespace bowlyn
