// Loading libraries from the system folder only: the game is often run from a downloads folder,
// where any web page can leave a DLL named like a system one.
#include "system_library.h"

#include <cstdio>

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

}  // namespace

// Looked up rather than imported: Windows 7 without its 2011 loader update lacks it, and the game
// must still start there.
void RestrictLibrarySearchToSystemFolder() {
    auto restrictSearch = LibraryFunction<SetDefaultDllDirectoriesFunction>(GetModuleHandleA("kernel32.dll"),
                                                                            "SetDefaultDllDirectories");
    if (restrictSearch) {
        restrictSearch(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

// A full path works on every Windows, with or without the search restriction above.
HMODULE LoadSystemLibrary(const char* fileName) {
    char path[MAX_PATH];
    UINT folderLength = GetSystemDirectoryA(path, MAX_PATH);
    if (folderLength == 0 || folderLength + 1 + lstrlenA(fileName) >= MAX_PATH) {
        return NULL;
    }
    std::snprintf(path + folderLength, MAX_PATH - folderLength, "\\%s", fileName);
    return LoadLibraryA(path);
}
