#include "formats/utf8_text.h"

namespace bowlyn {

size_t utf8SequenceLength(const std::string& s, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    unsigned long code = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    static const unsigned long smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[n] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return n;
}

std::string printableText(const std::string& text) {
    return withValidUtf8(text, [&](std::string& out, size_t i, size_t n) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (n > 1 || (c >= 0x20 && c != 0x7F))
            out.append(text, i, n);
    });
}

}  // namespace bowlyn
