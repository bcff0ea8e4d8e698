#include "geometry/pass_display.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "geometry/document.h"
#include "geometry/recompute.h"
#include "model/field_table.h"
#include "model/form.h"
#include "model/number_text.h"

namespace bowlyn {

const std::array<const char*, 11> derivedValueLabels = {
    "labelTailArcRadiusData",
    "labelTailArcCenterPointData",
    "labelLBCenterData",
    "labelWaistCenterData",
    "labelUBCenterData",
    "labelShoulderArcRadiusData",
    "labelShoulderArcCenterPointData",
    "labelCutawayFlorentineRadiusData",
    "labelCutawayFlorentineCenterPointData",
    "labelCutawayVenetianPointCenterPointData",
    "labelCutawayVenetianCenterPointData",
};

namespace {

constexpr const char* BLANK = " ";

std::string text(const std::optional<float>& radius) {
    return radius ? singleToText(roundTo(*radius, 2)) : BLANK;
}

std::string text(const std::optional<DerivedPoint>& point) {
    return point ? pointText(point->x, point->y) : BLANK;
}

}  // namespace

void markProblemFields(Form& form, const FieldSet& fields) {
    std::vector<std::string> marked;
    for (size_t i = 0; i < fields.size(); ++i) {
        for (const std::string& widget : field(fields[i]).widgets) {
            const Control* c = controlNamed(widget);
            if (c && c->kind == ControlKind::Entry)
                marked.push_back(widget);
        }
    }
    for (const Control& c : controls()) {
        if (c.kind == ControlKind::Entry)
            form.setMarked(c.widget,
                           std::find(marked.begin(), marked.end(), c.widget) != marked.end());
    }
    if (!marked.empty())
        form.reveal(marked);
}

namespace {

void showDerivedValues(Form& form, const DerivedValues& values) {
    const std::array<std::string, 11> texts = derivedValueTexts(values);
    for (size_t i = 0; i < texts.size(); ++i)
        form.setText(derivedValueLabels[i], texts[i]);
}

}  // namespace

std::string statusText(const PassResult& result) {
    return result.problem ? result.problem->message : STATUS_OK;
}

std::string pointText(float x, float y) {
    return singleToText(roundTo(x, 2)) + "," + singleToText(roundTo(y, 2));
}

std::array<std::string, 11> derivedValueTexts(const DerivedValues& v) {
    return {
        text(v.tailArcRadius),       text(v.tailArcCentre),        text(v.lowerBoutCentre),
        text(v.waistCentre),         text(v.upperBoutCentre),      text(v.shoulderArcRadius),
        text(v.shoulderArcCentre),   text(v.florentineRadius),     text(v.florentineCentre),
        text(v.venetianPointCentre), text(v.venetianValleyCentre),
    };
}

void showPassResult(Document& doc, const PassResult& result) {
    doc.form.setText(STATUS_LABEL, statusText(result));
    markProblemFields(doc.form, result.problem ? result.problem->fields : FieldSet{});
    showDerivedValues(doc.form, result.derived);
    doc.form.showDrawing(doc.drawing.surface);
    if (doc.alsoShow)
        doc.alsoShow(doc, !result.problem && doc.outlineComplete == 1);
    doc.passShown = true;
}

PassResult recomputeAndShow(Document& doc) {
    PassResult result = recompute(doc);
    showPassResult(doc, result);
    return result;
}

void resetDisplay(Document& doc) {
    doc.form.setText(STATUS_LABEL, STATUS_OK);
    markProblemFields(doc.form, FieldSet{});
    doc.drawing.clearPicture();
    doc.form.showDrawing(doc.drawing.surface);
    showDerivedValues(doc.form, DerivedValues{});
    if (doc.alsoShow)
        doc.alsoShow(doc, false);
    doc.passShown = false;
}

bool bringPassUpToDate(Document& doc) {
    // Compared bit for bit: every member is a 32-bit number, and a NaN must
    // compare equal to itself.
    if (doc.outlineComplete == 1 &&
        std::memcmp(&doc.drawnParams, &doc.params, sizeof doc.params) != 0)
        recomputeAndShow(doc);
    return doc.outlineComplete == 1;
}

}  // namespace bowlyn
