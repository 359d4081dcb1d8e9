// The settings and history files of the browser game, kept in localStorage between visits.
#pragma once

// Puts the stored files where the settings store reads them, and has every write it
// finishes copied back to the storage.
void UseStoredFiles();
