// Keeps setdata.ini and history.csv for the browser: the settings store works on files held in memory,
// and each finished write is handed to the page, which keeps it in the browser's storage.
#ifndef _GNU_SOURCE
#define _GNU_SOURCE  // fopencookie
#endif
#include "file_storage.h"

#include <emscripten.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/types.h>

#include "history_file.h"
#include "settings_file.h"
#include "settings_file_layer.h"

// The page's own functions (host_library.js).
extern "C" {
// Keeps the file's bytes; 0 when the browser's storage refused them.
int glimmark_keep_file(const char* name, const char* bytes, int32_t length);
// Hands back a kept file through glimmark_file_buffer. Whole or nothing: a stored text the game
// cannot have written is no file at all.
void glimmark_restore_file(const char* name, int32_t wholeOrNothing);
}

namespace {

// ---- The files in memory ------------------------------------------------------------------
// Only the store's own three names are ever opened: the settings, their temporary copy and the history.
struct MemoryFile {
    char name[24];
    char* bytes;
    size_t length;
    size_t capacity;
};

MemoryFile memoryFiles[3];

MemoryFile* FindFile(const char* name) {
    for (MemoryFile& file : memoryFiles) {
        if (file.name[0] != '\0' && std::strcmp(file.name, name) == 0) {
            return &file;
        }
    }
    return nullptr;
}

// An empty file of that name, made when missing; nullptr for a name too long or with no slot left.
MemoryFile* MakeFile(const char* name) {
    MemoryFile* file = FindFile(name);
    if (file == nullptr && std::strlen(name) < sizeof file->name) {
        for (MemoryFile& free : memoryFiles) {
            if (free.name[0] == '\0') {
                file = &free;
                std::strcpy(file->name, name);
                break;
            }
        }
    }
    return file;
}

void DropFile(MemoryFile* file) {
    std::free(file->bytes);
    *file = MemoryFile{};
}

bool Reserve(MemoryFile& file, size_t length) {
    if (length <= file.capacity && file.bytes != nullptr) {
        return true;
    }
    size_t capacity = length < 256 ? 256 : length + length / 2;
    char* grown = static_cast<char*>(std::realloc(file.bytes, capacity));
    if (grown == nullptr) {
        return false;
    }
    file.bytes = grown;
    file.capacity = capacity;
    return true;
}

// ---- Open files: a stream over a file in memory ---------------------------------------------
struct Stream {
    MemoryFile* file;
    size_t position;
    bool appending;
};

ssize_t ReadStream(void* cookie, char* buffer, size_t size) {
    Stream& stream = *static_cast<Stream*>(cookie);
    size_t left = stream.position < stream.file->length ? stream.file->length - stream.position : 0;
    size_t count = size < left ? size : left;
    std::memcpy(buffer, stream.file->bytes + stream.position, count);
    stream.position += count;
    return static_cast<ssize_t>(count);
}

ssize_t WriteStream(void* cookie, const char* buffer, size_t size) {
    Stream& stream = *static_cast<Stream*>(cookie);
    MemoryFile& file = *stream.file;
    if (stream.appending) {
        stream.position = file.length;
    }
    if (size == 0) {
        return 0;
    }
    if (!Reserve(file, stream.position + size)) {
        return -1;
    }
    if (stream.position > file.length) {
        std::memset(file.bytes + file.length, 0, stream.position - file.length);
    }
    std::memcpy(file.bytes + stream.position, buffer, size);
    stream.position += size;
    file.length = stream.position > file.length ? stream.position : file.length;
    return static_cast<ssize_t>(size);
}

int SeekStream(void* cookie, off_t* offset, int origin) {
    Stream& stream = *static_cast<Stream*>(cookie);
    off_t base = 0;
    if (origin == SEEK_CUR) {
        base = static_cast<off_t>(stream.position);
    } else if (origin == SEEK_END) {
        base = static_cast<off_t>(stream.file->length);
    }
    if (base + *offset < 0) {
        return -1;
    }
    stream.position = static_cast<size_t>(base + *offset);
    *offset = static_cast<off_t>(stream.position);
    return 0;
}

int CloseStream(void* cookie) {
    std::free(cookie);
    return 0;
}

FILE* OpenStream(MemoryFile* file, const char* mode, bool appending) {
    Stream* stream = file != nullptr ? static_cast<Stream*>(std::malloc(sizeof(Stream))) : nullptr;
    if (stream == nullptr) {
        return nullptr;
    }
    *stream = Stream{file, 0, appending};
    FILE* opened = fopencookie(stream, mode, {ReadStream, WriteStream, SeekStream, CloseStream});
    if (opened == nullptr) {
        std::free(stream);
    }
    return opened;
}

// ---- The settings store's layers over the files in memory -----------------------------------
FILE* OpenForReading(const char* name) {
    return OpenStream(FindFile(name), "rb", false);
}

bool IsReadOnly(const char*) {
    return false;
}

FILE* CreateFile(const char* name) {
    MemoryFile* file = MakeFile(name);
    if (file != nullptr) {
        file->length = 0;
    }
    return OpenStream(file, "wb", false);
}

bool WriteBytes(FILE* file, const char* bytes, size_t length) {
    return std::fwrite(bytes, 1, length, file) == length;
}

bool Flush(FILE* file) {
    return std::fflush(file) == 0;
}

bool CloseFile(FILE* file) {
    return std::fclose(file) == 0;
}

bool Keep(const MemoryFile& file) {
    return glimmark_keep_file(file.name, file.bytes, static_cast<int32_t>(file.length)) != 0;
}

// The file in memory is whole by now; a copy the browser does not keep is a file that
// could not be written, and the store warns as for one.
bool ReplaceAndKeep(const char* source, const char* target) {
    MemoryFile* from = FindFile(source);
    MemoryFile* to = MakeFile(target);
    if (from == nullptr || to == nullptr) {
        return false;
    }
    std::free(to->bytes);
    to->bytes = from->bytes;
    to->length = from->length;
    to->capacity = from->capacity;
    *from = MemoryFile{};
    return Keep(*to);
}

void RemoveFile(const char* name) {
    if (MemoryFile* file = FindFile(name)) {
        DropFile(file);
    }
}

// A history file opened for appending is kept when it closes, so that an import of many
// lines is handed over once; one opened only for reading is not handed over at all.
FILE* appendingFile = nullptr;

FILE* OpenForAppending(const char* name) {
    appendingFile = OpenStream(MakeFile(name), "a+b", true);
    return appendingFile;
}

bool AppendBytes(FILE* file, const char* bytes, size_t length) {
    return WriteBytes(file, bytes, length) && Flush(file);
}

bool CloseAndKeep(FILE* file) {
    bool appended = file == appendingFile;
    bool closed = CloseFile(file);
    if (appended) {
        appendingFile = nullptr;
        MemoryFile* history = FindFile(HistoryFileName);
        return history != nullptr && Keep(*history) && closed;
    }
    return closed;
}

const SettingsFileLayer keptSettingsLayer = {
    OpenForReading, IsReadOnly, CreateFile, WriteBytes, Flush, CloseFile, ReplaceAndKeep, RemoveFile,
};
const HistoryFileLayer keptHistoryLayer = {
    OpenForReading, IsReadOnly, OpenForAppending, AppendBytes, CloseAndKeep,
};

}  // namespace

void UseStoredFiles() {
    SetSettingsFileLayer(&keptSettingsLayer);
    SetHistoryFileLayer(&keptHistoryLayer);
    glimmark_restore_file(SettingsFileName, 1);  // else it reads as missing: the defaults and the warning
    glimmark_restore_file(HistoryFileName, 0);   // its good lines still count
}

extern "C" {

// Room for a kept file's bytes, which the page writes in before the store reads them;
// nullptr when the memory cannot take them, and the file is then missing.
EMSCRIPTEN_KEEPALIVE char* glimmark_file_buffer(const char* name, int32_t length) {
    MemoryFile* file = MakeFile(name);
    if (file == nullptr || length < 0 || !Reserve(*file, static_cast<size_t>(length))) {
        if (file != nullptr) {
            DropFile(file);
        }
        return nullptr;
    }
    file->length = static_cast<size_t>(length);
    return file->bytes;
}

}  // extern "C"
