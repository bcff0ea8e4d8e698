#include "export/export_numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace bowlyn {

int lengthDecimals(double size) {
    if (!(size > 0.0) || !std::isfinite(size))
        return 12;
    const int digitsBeforePoint = static_cast<int>(std::floor(std::log10(size)));
    return std::clamp(12 - digitsBeforePoint, 0, 17);
}

std::string fixedText(double value, int decimals) {
    // The largest double has 309 digits before the point.
    char buffer[340];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                std::clamp(decimals, 0, 17));
    std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

}  // namespace bowlyn
