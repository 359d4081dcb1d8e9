// Libraries taken from the system folder only, and their functions looked up by name.
#pragma once

#include <windows.h>

// From here on the process loads libraries from the system folder only, never from the exe's
// folder or the working folder. Windows that lack the call are left as they are.
void RestrictLibrarySearchToSystemFolder();

// The library of that file name in the system folder, by its full path; null if it cannot be loaded.
HMODULE LoadSystemLibrary(const char* fileName);

// A function of a loaded library as the type it has; null when the library or the function is missing.
template <typename Function>
Function LibraryFunction(HMODULE library, const char* name) {
    if (!library) {
        return nullptr;  // GetProcAddress would search the exe itself
    }
    // Through void(*)(), the one function type that converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}
