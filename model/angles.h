#pragma once

namespace bowlyn {

// Every angle of the drawing turns about the single nearest to pi: the
// solvers, the recorded arcs and their mirror images compute with it, so that
// each recorded number stays what it has always been.
constexpr float PI_SINGLE = 3.14159274f;

}  // namespace bowlyn
