#pragma once

#include <cstddef>
#include <string>

namespace bowlyn {

// Length of the valid UTF-8 sequence that starts at s[i], or 0 when the bytes
// there are not one (overlong forms, surrogates and code points beyond
// Unicode included).
size_t utf8SequenceLength(const std::string& s, size_t i);

// `text` with every byte that starts no valid UTF-8 sequence replaced by
// U+FFFD, and each valid character (its bytes text[i], ..., text[i + n - 1])
// handed to `keep(out, i, n)`, which appends what it keeps of it.
template <class Keep>
std::string withValidUtf8(const std::string& text, Keep keep) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t n = utf8SequenceLength(text, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        keep(out, i, n);
        i += n;
    }
    return out;
}

// Text that any reader and cairo's text functions accept: bytes that are not
// valid UTF-8 replaced by U+FFFD, control characters left out.
std::string printableText(const std::string& text);

}  // namespace bowlyn
