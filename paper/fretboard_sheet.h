#pragma once

#include "derive/solved_design.h"
#include "paper/template_drawing.h"

typedef struct _cairo cairo_t;

namespace bowlyn {

struct TemplatePlan;
struct TemplatePage;

// The fingerboard on sheets of its own, to slot a board from paper: its
// outline with the nut, the centre line, each fret's slot line from edge to
// edge less the slot inset, numbered beside its treble end, in the design's
// unit. Empty without a fretboard.
TemplateDrawing fretboardDrawing(const SolvedDesign& design);

namespace template_parts {
// The fret table page: the table in the template's unit, in as many blocks
// side by side as its rows need.
void paintFretTable(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page);
}  // namespace template_parts

}  // namespace bowlyn
