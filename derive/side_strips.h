#pragma once

#include <string>
#include <vector>

#include "derive/air_cavity.h"
#include "derive/body_sides.h"
#include "derive/contour.h"
#include "model/units.h"

namespace bowlyn {

// A text on a template: its alignment point, the height of its capitals and
// how it sits on that point.
struct TemplateText {
    enum class Align { Left, Centre, Right };
    double x = 0, y = 0, height = 0;
    Align align = Align::Left;
    std::string text;
};

struct TemplateLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The template of one side of the body, to cut the side from: a strip whose
// bottom edge is as long as that side of the outline from the tail end to
// the neck end, and whose height at each point along it is the body's depth
// at that point's y. The tail end lies at x = 0, the bottom edge on y = 0.
struct SideStrip {
    std::string name;  // "side", "cutaway side", "other side"
    double length = 0;
    double height = 0;  // the larger of the two depths
    // Counter-clockwise, lines only: the bottom edge, the neck end, the depth
    // along the top back to the tail, the tail end.
    Contour outline;
    std::vector<TemplateLine> ticks;  // up from the bottom edge, every inch or 2 cm
    std::vector<TemplateText> texts;  // the ticks' distances, the name, "tail", "neck"
};

struct SideStripsResult {
    std::vector<SideStrip> strips;
    std::string problem;  // "" on success
};

// How finely the top edge follows the depth along an arc of the outline,
// where it is no straight line: within this fraction of the body's size.
constexpr double STRIP_TOP_TOLERANCE = 1e-6;

// The strip of one side (a path from the tail end to the neck end), in the
// unit of the path and the depth, which sets the spacing of the ticks.
SideStrip sideStrip(const OpenPath& side, const BodyDepth& depth, LengthUnit unit,
                    const std::string& name);

// The strips of a body outline: one, cut twice, when both sides are alike;
// with a cutaway one for each side, the cutaway side first.
SideStripsResult sideStrips(const Contour& body, const BodyDepth& depth, bool hasCutaway,
                            LengthUnit unit);

// Where the ticks fall (1 in, or 2 cm as 2 cm or 20 mm), how long they are
// and how tall their labels stand, in `unit`.
struct TickScale {
    double step = 0, tick = 0, textHeight = 0;
};
TickScale tickScale(LengthUnit unit);

}  // namespace bowlyn
