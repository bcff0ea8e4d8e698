#pragma once

namespace bowlyn {

class DrawingArea;
class GtkForm;

// The window grows and shrinks back to its default size. The form column
// keeps its place and size; the drawing takes all the room the window gains,
// and what lies beneath the drawing (the status line, the pointer readout,
// the Fit button) moves down with its lower edge.
void followWindowSize(GtkForm& form, DrawingArea& area);

}  // namespace bowlyn
