#include "render/drawing_kinds.h"

namespace bowlyn {

const char* layerName(Layer layer) {
    switch (layer) {
        case Layer::Zero:
            return "0";
        case Layer::Reflines:
            return "reflines";
        case Layer::Body:
            return "body";
        case Layer::Fretboard:
            return "fretboard";
        case Layer::Frets:
            return "frets";
        case Layer::Strings:
            return "strings";
        case Layer::Sides:
            return "sides";
        case Layer::Mould:
            return "mould";
        case Layer::Slots:
            return "slots";
        case Layer::Marks:
            return "marks";
        case Layer::None:
            break;
    }
    return "";
}

}  // namespace bowlyn
