#include "commands/export_formats.h"

#include "paper/pdf_template.h"

namespace bowlyn {

const std::vector<ExportFormat>& exportFormats() {
    constexpr bool Yes = true, No = false;
    static const std::vector<ExportFormat> formats = {
// clang-format off
#define EXPORT_FORMAT(key, menu, accel, extension, filter, title, flag, unit, mould, paper, dxf, \
                      withoutUnit, withoutMould, writer)                                         \
    {#key, {title, filter, extension, {unit, mould, paper, dxf}}, flag, withoutUnit, withoutMould, \
     writer},
// clang-format on
#include "commands/export_formats.def"
    };
    return formats;
}

const ExportFormat* exportFormat(const std::string& key) {
    for (const ExportFormat& f : exportFormats()) {
        if (key == f.key)
            return &f;
    }
    return nullptr;
}

}  // namespace bowlyn
