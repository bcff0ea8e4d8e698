#include "geometry/neck.h"

#include <cmath>

#include "model/unit_lengths.h"
#include "render/drawing.h"

namespace bowlyn {

float fretY(float bridgeY, float scaleLength, int32_t n) {
    double toBridge = scaleLength / std::pow(2.0, n / 12.0);
    return static_cast<float>(bridgeY + toBridge);
}

float fretY(const NeckGeometry& neck, const DesignParameters& p, int32_t n) {
    return fretY(neck.bridgeY, p.scaleLength, n);
}

void computeTaper(const DesignParameters& p, float& width, int32_t& fret) {
    if (p.taperType == TAPERTYPEBOARDWIDTH) {
        width = p.boardWidthAtFret;
        fret = p.boardWidthFret;
        return;
    }
    float first = p.firstStringDiameter;
    float last = p.lastStringDiameter;
    first = inchDiameterInDesignUnits(first, p.units);
    last = inchDiameterInDesignUnits(last, p.units);
    // Width of the straight edges extended to the bridge line; fret 12 lies
    // half-way to the nut, so the width there is the mean with the nut width.
    float atBridge = static_cast<float>((2.0 * p.stringSetback + p.bridgeStringSpacing) +
                                        first / 2.0 + last / 2.0);
    width = static_cast<float>((static_cast<double>(atBridge) - p.nutWidth) / 2.0 + p.nutWidth);
    fret = 12;
}

std::optional<Problem> placeNeck(const DesignParameters& p, NeckGeometry& neck) {
    float bridgeY =
        static_cast<float>(p.bodyLength - p.scaleLength / std::pow(2.0, p.neckJoinsAtFret / 12.0));
    neck.bridgeY = bridgeY;
    // Written as a range test so that a scale and fret whose quotient is not a
    // number (0 / 0) count as off the body too.
    if (!(bridgeY >= 0.0f && bridgeY <= p.bodyLength))
        return problemOf(Check::BridgeOffBody);
    neck.nutY = static_cast<float>(static_cast<double>(p.scaleLength) + bridgeY);
    return std::nullopt;
}

float xAtY(float x1, float y1, float x2, float y2, float y) {
    return static_cast<float>(x2 + (static_cast<double>(y) - y2) * (static_cast<double>(x2) - x1) /
                                       (static_cast<double>(y2) - y1));
}

float boardHalfWidthAt(const NeckGeometry& neck, float y) {
    return xAtY(neck.nutHalfWidth, neck.nutY, neck.bridgeHalfWidth, neck.bridgeY, y);
}

void drawBridgeMark(Drawing& d, const DesignParameters& p, const NeckGeometry& neck) {
    const float y = neck.bridgeY;
    d.drawLine(styleReference, 0.0f, y, referenceMarkLength(p.units), y, Side::Both,
               Layer::Reflines);
}

}  // namespace bowlyn
