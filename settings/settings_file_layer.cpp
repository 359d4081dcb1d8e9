// The settings store's file operations on the real file system.
#include "settings_file_layer.h"

#include <cstdio>

#include "settings_file_platform.h"

namespace {

// Binary mode everywhere: the store writes its own CR LF and reads it back itself,
// so a file means the same on every platform.
FILE* CreateEmptyFile(const char* name) {
    return std::fopen(name, "wb");
}

bool WriteBytes(FILE* file, const char* bytes, size_t length) {
    return std::fwrite(bytes, 1, length, file) == length;
}

bool CloseFile(FILE* file) {
    return std::fclose(file) == 0;
}

void RemoveFile(const char* name) {
    std::remove(name);
}

const SettingsFileLayer platformLayer = {
    PlatformOpenForReading,
    PlatformIsReadOnly,
    CreateEmptyFile,
    WriteBytes,
    PlatformFlush,
    CloseFile,
    PlatformReplace,
    RemoveFile,
};

}  // namespace

const SettingsFileLayer& PlatformSettingsFileLayer() {
    return platformLayer;
}
