#pragma once

#include <string>
#include <vector>

#include "derive/solved_design.h"
#include "formats/export_file.h"
#include "model/dialogs.h"
#include "model/export_settings.h"

namespace bowlyn {

// A format a design is exported in, as commands/export_formats.def declares
// it: what the window's File menu and its file chooser show, how the command
// line picks it, which settings it takes and the writer that makes the file.
// The window and the command line both export through this table alone.
struct ExportFormat {
    const char* key;        // "CAM": the File menu's item menuExportCAM
    ExportRequest chooser;  // title, filter, extension and choices
    const char* flag;       // "--cam": picks it among the formats of its extension; "" for none
    // What the command line adds when a unit or a mould is given for a
    // format without them; "" for nothing.
    const char* withoutUnit;
    const char* withoutMould;
    ExportFile (*write)(const SolvedDesign& design, const ExportSettings& settings,
                        const std::string& title);

    const std::string& extension() const { return chooser.extension; }
};

// Every format, in the order of the File menu: the plain DXF first.
const std::vector<ExportFormat>& exportFormats();

// The format of a key ("DXF", "CAM", "SVG", "PDF"); nullptr for none.
const ExportFormat* exportFormat(const std::string& key);

}  // namespace bowlyn
