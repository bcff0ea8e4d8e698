#include "render/style.h"

namespace bowlyn {

const StrokeStyle styleBackground = {1.0, 1.0, 1.0, 1.0, 1.0, {}, 0, 0.0};
const StrokeStyle styleFrame = {0.0, 0.0, 0.0, 1.0, 2.0, {}, 0, 0.0};
const StrokeStyle styleBoundingBox = {0.875, 0.875, 0.875, 1.0, 2.0, {}, 0, 0.0};
const StrokeStyle styleGrid = {0.875, 0.875, 0.875, 1.0, 2.0, {}, 0, 0.0};
const StrokeStyle styleOutline = {0.0, 0.0, 0.0, 1.0, 2.0, {}, 0, 0.0};
const StrokeStyle styleMarker = {0.0, 0.0, 0.0, 1.0, 1.0, {}, 0, 0.0};
const StrokeStyle styleReference = {1.0, 0.0, 0.0, 1.0, 2.0, {}, 0, 0.0};
const StrokeStyle styleCentreLine = {1.0, 0.0, 0.0, 1.0, 2.0, {4, 4, 12, 4}, 4, 0.0};
const StrokeStyle styleConstruction = {0.0, 1.0, 1.0, 0.5, 2.0, {10, 6, 10, 6}, 4, 0.0};
const StrokeStyle styleGuide = {1.0, 1.0, 0.0, 0.5, 2.0, {}, 0, 0.0};
const StrokeStyle styleBoutLine = {0.5, 0.3, 0.5, 0.5, 2.0, {}, 0, 0.0};
const StrokeStyle styleString = {0.5, 0.5, 0.5, 1.0, 2.0, {}, 0, 0.0};
const StrokeStyle styleTransPoint = {0.55, 1.0, 0.0, 1.0, 6.0, {}, 0, 0.0};
const StrokeStyle styleSnapshot = {0.6, 0.6, 1.0, 1.0, 2.0, {}, 0, 0.0};
const StrokeStyle styleTracedOutline = {1.0, 0.5, 0.0, 1.0, 2.0, {}, 0, 0.0};

}  // namespace bowlyn
