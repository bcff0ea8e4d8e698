#pragma once

namespace bowlyn {

class DrawingArea;
class GtkForm;

// The window grows and shrinks back to its default size. The form column
// keeps its place and size, Try it, Ok and Fit beneath it; the drawing takes
// all the room the window gains, and the status line (as wide as the
// drawing) and the pointer readout beside it move down with its lower edge.
void followWindowSize(GtkForm& form, DrawingArea& area);

}  // namespace bowlyn
