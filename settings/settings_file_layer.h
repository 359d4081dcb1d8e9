// The file operations under the settings store, replaceable so that tests can make any step fail.
#pragma once

#include <cstddef>
#include <cstdio>

struct SettingsFileLayer {
    // Opens an existing file for reading bytes; nullptr when it is missing,
    // unreadable or a folder.
    FILE* (*openForReading)(const char* name);
    // True when the file exists and its read-only attribute or mode forbids writing,
    // even to a process that could write it anyway (root, or Wine as root).
    bool (*isReadOnly)(const char* name);
    // Creates an empty, ordinary (writable) file for writing bytes, replacing any file of that name.
    FILE* (*create)(const char* name);
    bool (*write)(FILE* file, const char* bytes, size_t length);
    // Pushes everything written so far through to the disk.
    bool (*flush)(FILE* file);
    // Closes the file in every case; false when the close reported an error.
    bool (*close)(FILE* file);
    // Puts source in place of target in one step, so that target is always whole.
    bool (*replace)(const char* source, const char* target);
    void (*remove)(const char* name);
};

// The operations on the real file system of this platform.
const SettingsFileLayer& PlatformSettingsFileLayer();

// Installs the layer LoadSettings and SaveSettings use; nullptr restores the platform's.
void SetSettingsFileLayer(const SettingsFileLayer* layer);
