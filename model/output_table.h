#pragma once

#include <vector>

namespace bowlyn {

// Output numbers in the order of model/outputs.def.
namespace outputs {
enum : int {
#define OUTPUT(id, widget, kind, section, line, caption, width) id,
#include "model/outputs.def"
    COUNT
};
}  // namespace outputs

enum class OutputKind { Status, Derived, Measurement, Air, Note, UnitsNote, Readout };

// A label the program writes: its name in the window (and, for the derived
// values, in `check`'s lines) and what it shows.
struct OutputDef {
    const char* widget;
    OutputKind kind;
};

// Outputs numbered 0 to outputs::COUNT - 1.
const OutputDef& output(int number);
// The outputs of one kind, in the order of the table.
std::vector<int> outputsOf(OutputKind kind);

}  // namespace bowlyn
