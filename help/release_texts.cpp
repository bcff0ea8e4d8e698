#include "help/release_texts.h"

#include <fstream>

#include "help/release_check.h"

namespace bowlyn {

namespace {

// A licence is a few kilobytes; a file far beyond that is not one, and reading
// it whole would only hold the dialog up.
constexpr std::size_t LICENCE_LIMIT = 1 << 20;

}  // namespace

std::string aboutVersionText() {
    return releaseNumberText(RELEASE_NUMBER) + " Release " + RELEASE_DATE;
}

std::string aboutCommentsText(double newest) {
    std::string text =
        "Bowlyn is an interactive, parametric design tool for the body outlines of acoustic "
        "guitars and related instruments.";
    if (newest > 0.0 && newest > RELEASE_NUMBER) {
        text += "\n\nNote: A newer version (" + releaseNumberText(newest) +
                ") is available for download on the Bowlyn Homepage.";
    }
    return text;
}

std::string readLicenceText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return "";
    }
    std::string content(LICENCE_LIMIT, '\0');
    file.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(file.gcount()));

    std::string licence;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const std::size_t next = end == std::string::npos ? content.size() : end + 1;
        if (end == std::string::npos) {
            end = content.size();
        }
        // A file written with CR LF line ends gives the same text.
        if (end > start && content[end - 1] == '\r') {
            --end;
        }
        licence.append(content, start, end - start);
        licence += '\r';
        start = next;
    }
    return licence;
}

}  // namespace bowlyn
