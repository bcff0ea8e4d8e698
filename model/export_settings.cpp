#include "model/export_settings.h"

#include "model/number_text.h"
#include "model/text_case.h"

namespace bowlyn {

const std::vector<PaperChoice>& paperChoices() {
    static const std::vector<PaperChoice> papers = {
        {"a4", "A4", paperA4()},
        {"letter", "Letter", {"Letter", 215.9, 279.4}},
        {"a3", "A3", {"A3", 297.0, 420.0}},
        {"tabloid", "Tabloid", {"Tabloid", 279.4, 431.8}},
        {"full", "Full size", {"full size", 0.0, 0.0}},
    };
    return papers;
}

Paper paperA4() {
    return {"A4", 210.0, 297.0};
}

std::optional<Paper> paperByName(const std::string& name) {
    const std::string key = lowerCase(name);
    for (const PaperChoice& p : paperChoices()) {
        if (key == p.key)
            return p.paper;
    }
    return std::nullopt;
}

std::optional<DxfVersion> dxfVersionByName(const std::string& name) {
    if (name == "12")
        return DxfVersion::R12;
    if (name == "2000")
        return DxfVersion::R2000;
    return std::nullopt;
}

std::optional<double> typedDistance(const std::string& typed) {
    return readWholeNumber(typed);
}

}  // namespace bowlyn
