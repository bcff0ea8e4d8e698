#pragma once

#include "model/dialogs.h"
#include "session/session.h"

namespace bowlyn {

// The files the workshop cuts from, exported from the window: a DXF for CAM,
// an SVG at true size, a paper template.
enum class WorkshopFile { CamDxf, Svg, PdfTemplate };

// The file chooser of each, with its title, filter and extension.
ExportRequest exportRequest(WorkshopFile file);

// Writes the design's last complete pass (run again first when a value was
// committed since) as `file`, in the unit and on the paper chosen beside the
// name, with a mould at the distance typed there; refuses without a complete
// outline. As the DXF export: the extension is added to a name without it,
// an existing file is replaced only when the user agrees, the write is
// atomic and a failure is reported. True when a file was written; the status
// line then says what ("Wrote om.pdf: 11 pages of A4").
bool exportWorkshopFile(Session& session, Dialogs& dialogs, WorkshopFile file);

}  // namespace bowlyn
