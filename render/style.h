#pragma once

#include <cstdint>

namespace bowlyn {

// A drawing style. Colours are as shown on screen, 0.0 to 1.0.
struct StrokeStyle {
    double red, green, blue, alpha;
    double lineWidth;   // pixels
    double dashes[5];   // on/off lengths in pixels; the first dashCount are used
    int32_t dashCount;  // 0: solid
    double dashOffset;
};

extern const StrokeStyle styleBackground;
extern const StrokeStyle styleFrame;
extern const StrokeStyle styleBoundingBox;
extern const StrokeStyle styleGrid;
extern const StrokeStyle styleOutline;
extern const StrokeStyle styleMarker;
extern const StrokeStyle styleReference;
extern const StrokeStyle styleCentreLine;
extern const StrokeStyle styleConstruction;
extern const StrokeStyle styleGuide;
extern const StrokeStyle styleBoutLine;
extern const StrokeStyle styleString;
extern const StrokeStyle styleTransPoint;
extern const StrokeStyle styleSnapshot;
extern const StrokeStyle styleTracedOutline;

}  // namespace bowlyn
