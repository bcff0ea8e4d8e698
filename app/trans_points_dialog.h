#pragma once

namespace bowlyn {

struct AppContext;

// The "Edit Transcription Points" dialog: shows the stored points, and on
// Apply or Convert reads them back (Convert then turns them into a design).
void editTransPoints(AppContext& ctx);

}  // namespace bowlyn
