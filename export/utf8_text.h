#pragma once

#include <cstddef>
#include <string>

namespace bowlyn {

// Length of the valid UTF-8 sequence that starts at s[i], or 0 when the bytes
// there are not one (overlong forms, surrogates and code points beyond
// Unicode included).
size_t utf8SequenceLength(const std::string& s, size_t i);

// Text that any reader and cairo's text functions accept: bytes that are not
// valid UTF-8 replaced by U+FFFD, control characters left out.
std::string printableText(const std::string& text);

}  // namespace bowlyn
