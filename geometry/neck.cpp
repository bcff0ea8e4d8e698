#include "geometry/neck.h"

#include <cmath>

#include "model/field_table.h"
#include "model/unit_lengths.h"
#include "render/drawing.h"

namespace bowlyn {
namespace {

double toBridge(double scale, int32_t n) {
    return scale / std::pow(2.0, n / 12.0);
}

bool onBody(float bridgeY, float bodyLength) {
    // Written as a range test so that a scale and fret whose quotient is not
    // a number (0 / 0) count as off the body too.
    return bridgeY >= 0.0f && bridgeY <= bodyLength;
}

}  // namespace

double perpendicularFretValue(const DesignParameters& p) {
    return std::isnan(p.perpendicularFret) ? 12.0 : p.perpendicularFret;
}

FanScales fanScales(const DesignParameters& p) {
    FanScales f;
    f.treble = f.bass = p.scaleLength;
    const double bass = p.bassScaleLength, square = perpendicularFretValue(p);
    // Values the fretboard checks refuse leave the neck as one scale places
    // it, for the steps that run before those checks (the cutaway).
    if (!p.hasFretboard || std::isnan(p.bassScaleLength) || !(bass > 0.0) || !std::isfinite(bass) ||
        !(square >= 0.0 && square <= MAX_FRET_COUNT))
        return f;
    f.bass = bass;
    f.perpendicular = static_cast<int32_t>(square);
    f.fanned = true;
    return f;
}

double FanScales::bassSaddleOffset() const {
    return toBridge(treble - bass, perpendicular);
}

double FanScales::crossingAboveTrebleSaddle(int32_t n) const {
    // With equal scales this is exactly treble / 2^(n/12).
    return (toBridge(treble, n) + (bassSaddleOffset() + toBridge(bass, n))) / 2.0;
}

float fretY(float bridgeY, float scaleLength, int32_t n) {
    return static_cast<float>(bridgeY + toBridge(scaleLength, n));
}

float fretY(const NeckEdge& edge, int32_t n) {
    return fretY(edge.bridgeY, edge.scale, n);
}

float fretCentreY(const NeckGeometry& neck, int32_t n) {
    return static_cast<float>((static_cast<double>(fretY(neck.treble, n)) + fretY(neck.bass, n)) /
                              2.0);
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
    const FanScales fan = fanScales(p);
    const double belowBody = p.bodyLength - fan.crossingAboveTrebleSaddle(p.neckJoinsAtFret);
    NeckEdge& treble = neck.treble;
    NeckEdge& bass = neck.bass;
    treble.scale = static_cast<float>(fan.treble);
    bass.scale = static_cast<float>(fan.bass);
    treble.bridgeY = static_cast<float>(belowBody);
    bass.bridgeY = static_cast<float>(belowBody + fan.bassSaddleOffset());
    if (!onBody(treble.bridgeY, p.bodyLength) || !onBody(bass.bridgeY, p.bodyLength)) {
        Problem problem = problemOf(Check::BridgeOffBody);
        if (fan.fanned) {
            problem.fields.add(fields::BASS_SCALE_LENGTH);
            problem.fields.add(fields::PERPENDICULAR_FRET);
        }
        return problem;
    }
    for (NeckEdge* edge : {&treble, &bass})
        edge->nutY = static_cast<float>(static_cast<double>(edge->scale) + edge->bridgeY);
    return std::nullopt;
}

float xAtY(float x1, float y1, float x2, float y2, float y) {
    return static_cast<float>(x2 + (static_cast<double>(y) - y2) * (static_cast<double>(x2) - x1) /
                                       (static_cast<double>(y2) - y1));
}

float boardHalfWidthAt(const NeckEdge& edge, float y) {
    return xAtY(edge.nutHalfWidth, edge.nutY, edge.bridgeHalfWidth, edge.bridgeY, y);
}

Point trebleEdgeAt(const NeckGeometry& neck, float y) {
    return {boardHalfWidthAt(neck.treble, y), y};
}

Point bassEdgeAt(const NeckGeometry& neck, float y) {
    return {-boardHalfWidthAt(neck.bass, y), y};
}

float yAcross(Point bass, Point treble, float x) {
    if (bass.y == treble.y)
        return bass.y;
    return static_cast<float>(bass.y + (static_cast<double>(x) - bass.x) *
                                           (static_cast<double>(treble.y) - bass.y) /
                                           (static_cast<double>(treble.x) - bass.x));
}

void drawBridgeMark(Drawing& d, const DesignParameters& p, const NeckGeometry& neck) {
    const float y = neck.treble.bridgeY;
    d.drawLine(styleReference, 0.0f, y, referenceMarkLength(p.units), y, Side::Both,
               Layer::Reflines);
}

}  // namespace bowlyn
