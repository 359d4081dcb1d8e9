// The settings store's file operations that Windows does its own way.
#include <windows.h>
#include <io.h>

#include <cstdio>

#include "settings_file_platform.h"

FILE* PlatformOpenForReading(const char* name) {
    // Windows refuses to open a folder, so no check of the kind is needed here.
    return std::fopen(name, "rb");
}

bool PlatformIsReadOnly(const char* name) {
    // The attribute itself, because a replace made by an administrator (or by Wine
    // run as root) would go straight through a read-only file.
    DWORD attributes = GetFileAttributesA(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool PlatformFlush(FILE* file) {
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

bool PlatformReplace(const char* source, const char* target) {
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
