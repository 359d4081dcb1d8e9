// The few file operations that differ between Windows and POSIX systems.
#pragma once

#include <cstdio>

FILE* PlatformOpenForReading(const char* name);
bool PlatformIsReadOnly(const char* name);
bool PlatformFlush(FILE* file);
bool PlatformReplace(const char* source, const char* target);
