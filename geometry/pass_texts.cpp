#include "geometry/pass_texts.h"

#include "model/number_text.h"

namespace bowlyn {
namespace {

constexpr const char* BLANK = " ";

std::string text(const std::optional<float>& radius) {
    return radius ? singleToText(roundTo(*radius, 2)) : BLANK;
}

std::string text(const std::optional<DerivedPoint>& point) {
    return point ? pointText(point->x, point->y) : BLANK;
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

}  // namespace bowlyn
