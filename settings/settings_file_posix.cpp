// The settings store's file operations that POSIX systems do their own way.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "settings_file_platform.h"

FILE* PlatformOpenForReading(const char* name) {
    // Unlike Windows, POSIX opens a folder for reading; and a pipe or device of that
    // name could block or never end. Only a regular file holds settings.
    int descriptor = open(name, O_RDONLY | O_NONBLOCK);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(descriptor);
        return nullptr;
    }
    FILE* file = fdopen(descriptor, "rb");
    if (file == nullptr) {
        close(descriptor);
    }
    return file;
}

bool PlatformIsReadOnly(const char* name) {
    // The mode's write bits, not access(): root may write anything, yet a file
    // the player marked read-only must stay as it is.
    struct stat status;
    return stat(name, &status) == 0 && S_ISREG(status.st_mode) &&
           (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool PlatformFlush(FILE* file) {
    return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

bool PlatformReplace(const char* source, const char* target) {
    return std::rename(source, target) == 0;
}
