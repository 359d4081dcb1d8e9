// Keeps setdata.ini and history.csv in the browser's storage: the settings store works on files in memory, and each finished write is copied to localStorage.
#include "file_storage.h"

#include <emscripten.h>

#include <cstdint>
#include <cstdio>

#include "history_file.h"
#include "settings_file.h"
#include "settings_file_layer.h"

// The page's own functions (host_library.js).
extern "C" {
int glimmark_keep_file(const char* name);
// Whole or nothing: a stored text the game cannot have written is no file at all.
void glimmark_restore_file(const char* name, int32_t wholeOrNothing);
}

namespace {

// The file in memory is whole by now; a copy that does not fit in the storage
// is a file that could not be written, and the store warns as for one.
bool ReplaceAndKeep(const char* source, const char* target) {
    return PlatformSettingsFileLayer().replace(source, target) && glimmark_keep_file(target) != 0;
}

// A history file opened for appending is kept when it closes, so that an import of many
// lines is copied once; one opened only for reading is not copied at all.
FILE* appendingFile = nullptr;

FILE* OpenForAppending(const char* name) {
    appendingFile = PlatformHistoryFileLayer().openForAppending(name);
    return appendingFile;
}

bool CloseAndKeep(FILE* file) {
    bool appended = file == appendingFile;
    bool closed = PlatformHistoryFileLayer().close(file);
    if (appended) {
        appendingFile = nullptr;
        return glimmark_keep_file(HistoryFileName) != 0 && closed;
    }
    return closed;
}

SettingsFileLayer keptSettingsLayer;
HistoryFileLayer keptHistoryLayer;

}  // namespace

void UseStoredFiles() {
    glimmark_restore_file(SettingsFileName, 1);  // then it reads as missing: the defaults and the warning
    glimmark_restore_file(HistoryFileName, 0);   // its good lines still count
    keptSettingsLayer = PlatformSettingsFileLayer();
    keptSettingsLayer.replace = ReplaceAndKeep;
    SetSettingsFileLayer(&keptSettingsLayer);
    keptHistoryLayer = PlatformHistoryFileLayer();
    keptHistoryLayer.openForAppending = OpenForAppending;
    keptHistoryLayer.close = CloseAndKeep;
    SetHistoryFileLayer(&keptHistoryLayer);
}
