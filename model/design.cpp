#include "model/design.h"

namespace bowlyn {

Design::Design() : shownChoices(choicePairs().size(), 0) {}

bool Design::operator==(const Design& other) const {
    return texts == other.texts && shownChoices == other.shownChoices &&
           sameParameters(params, other.params);
}

std::string designTitle(const Design& design) {
    const std::string& text = design.text(fields::NAME);
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace bowlyn
