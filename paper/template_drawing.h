#pragma once

#include <cstdint>
#include <vector>

#include "derive/bounds.h"
#include "derive/contour.h"
#include "derive/side_strips.h"
#include "model/design_parameters.h"
#include "render/stroke.h"

namespace bowlyn {

// What a paper template shows of a complete pass: every item the pass painted
// on a recorded layer (body with cutaway and sound hole, centre and reference
// lines, fretboard, frets, markers, strings), to be painted again at true
// size. The pass paints its centre line ten units past both ends of the body
// so that it crosses the whole window; on paper it is cut to the extent of
// the rest, or it would add a row of sheets holding nothing but dashes.
struct TemplateDrawing {
    StrokeList items;             // the centre line cut in double precision
    double pointsPerUnit = 72.0;  // 72 in an inch design, 72 / 2.54 in a centimetre one
    double millimetresPerUnit = 25.4;
    Bounds extent;  // model units; crosses' arms included
    // Drawn after the items, in double precision: exact closed outlines (the
    // mould, a side strip), a strip's ticks and its texts.
    std::vector<Contour> loops;
    std::vector<TemplateLine> lines;
    std::vector<TemplateText> texts;

    // Whether anything drawn passes through the rectangle (model units): an
    // item, a loop or a tick.
    bool touches(const Bounds& rect) const;
};

// The template drawing of a pass's strokes in a design of `units` (0 inch,
// 1 centimetre).
TemplateDrawing templateDrawing(const StrokeList& strokes, DesignUnits units);

// Adds a closed outline in the drawing's units (the mould round the body),
// widening its extent.
void addTemplateLoop(TemplateDrawing& d, const Contour& loop);

// A side strip as a drawing of its own, in the unit of its numbers: its
// outline, ticks and texts, the tail end at x = 0 and the bottom edge on y = 0.
TemplateDrawing stripDrawing(const SideStrip& strip, LengthUnit unit);

}  // namespace bowlyn
