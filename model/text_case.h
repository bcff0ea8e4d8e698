#pragma once

#include <cctype>
#include <string>

namespace bowlyn {

// `s` with every character through std::tolower or std::toupper: how names
// typed in any case (presets, papers, file extensions) are compared.
inline std::string lowerCase(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

inline std::string upperCase(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace bowlyn
