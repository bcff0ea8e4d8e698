#include "model/output_table.h"

#include <stdexcept>

namespace bowlyn {
namespace {

const OutputDef OUTPUTS[] = {
#define OUTPUT(id, widget, kind, section, line, caption, width) {#widget, OutputKind::kind},
#include "model/outputs.def"
};

}  // namespace

const OutputDef& output(int number) {
    if (number < 0 || number >= outputs::COUNT)
        throw std::out_of_range("output number");
    return OUTPUTS[number];
}

std::vector<int> outputsOf(OutputKind kind) {
    std::vector<int> numbers;
    for (int n = 0; n < outputs::COUNT; ++n) {
        if (OUTPUTS[n].kind == kind)
            numbers.push_back(n);
    }
    return numbers;
}

}  // namespace bowlyn
