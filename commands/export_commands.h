#pragma once

#include <optional>

#include "commands/export_formats.h"
#include "derive/solved_design.h"
#include "model/dialogs.h"
#include "session/session.h"

namespace bowlyn {

// The design's last complete pass (run again first when a value was committed
// since) as the files are made from it; nothing without a complete outline.
std::optional<SolvedDesign> upToDateDesign(Session& session);

// Writes the design's last complete pass (run again first when a value was
// committed since) as a file of `format`, with the settings chosen beside
// its name; refuses without a complete outline, naming the format's
// extension. The chooser starts with the file's or the design's name; the
// extension is added to a name without it, an existing file is replaced only
// when the user agrees, the write is atomic and a failure is reported. A
// design the format cannot hold is refused before anything is written:
// before a name is asked when the format asks for nothing else beside it,
// else once the settings are known. True when a file was written; the status
// line then says what ("Wrote om.pdf: 11 pages of A4").
bool exportFile(Session& session, Dialogs& dialogs, const ExportFormat& format);

// The File menu's plain DXF export: the drawing as recorded.
bool exportDxf(Session& session, Dialogs& dialogs);

// The fret table of the design's last complete pass (run again first when a
// value was committed since), as `bowlyn-cli frets` prints it, in the
// design's unit with the decimals a workshop reads. Refuses without a
// complete outline or without a fretboard. True when the table was shown.
bool showFretTable(Session& session, Dialogs& dialogs);

}  // namespace bowlyn
