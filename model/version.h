#pragma once

namespace bowlyn {

// The program's name and release: the parameter file's header, the About box
// and the release check all read them from here.
constexpr const char* PRODUCT_NAME = "Bowlyn";
constexpr double PRODUCT_VERSION = 0.7;  // written "0.7"
constexpr const char* RELEASE_DATE = "08-12-2011";

}  // namespace bowlyn
