#include "derive/solved_design.h"

#include "geometry/document.h"
#include "model/field_table.h"
#include "model/form.h"

namespace bowlyn {

std::optional<SolvedDesign> solvedDesign(const Document& doc) {
    if (doc.outlineComplete != 1 || !doc.drawing.complete)
        return std::nullopt;
    SolvedDesign s;
    s.body = currentOutlineRecord(doc);
    s.soundHole = doc.soundHole;
    s.hasFretboard = doc.params.hasFretboard == 1;
    if (s.hasFretboard) {
        s.fretboard = fretboardTop(doc.params, doc.neck);
        s.frets = fretLayout(doc.params);
    }
    s.units = doc.params.units;
    s.depth = designDepths(doc);
    s.strokes = &doc.drawing.strokes;
    return s;
}

DepthSettings designDepths(const Document& doc) {
    const auto text = [&](int number) { return doc.form.text(field(number).widgets.front()); };
    return readDepthSettings(text(fields::BODY_DEPTH_AT_TAIL), text(fields::BODY_DEPTH_AT_NECK),
                             text(fields::TOP_THICKNESS), doc.params.bodyLength);
}

std::string outlineIncompleteMessage(const std::string& extension) {
    return "A complete body outline must be successfully generated before it can be exported as " +
           extension + ".";
}

std::string designTitle(const Document& doc) {
    const std::string text = doc.form.text(field(fields::NAME).widgets.front());
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace bowlyn
