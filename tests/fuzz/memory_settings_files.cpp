// A settings file layer kept in memory: fmemopen to read, open_memstream to write.
#include "memory_settings_files.h"

#include <cstdio>
#include <cstdlib>
#include <map>

namespace MemorySettingsFiles {
namespace {

std::map<std::string, std::string> files;
int writes = 0;

// A file being written: open_memstream keeps its bytes in a buffer of its own until closed.
struct OpenWrite {
    FILE* stream = nullptr;
    char* buffer = nullptr;
    size_t size = 0;
    std::string name;
};
OpenWrite openWrite;

FILE* OpenForReading(const char* name) {
    auto found = files.find(name);
    if (found == files.end()) {
        return nullptr;
    }
    // Older C libraries refuse fmemopen of zero bytes; an empty temporary file reads the same.
    if (found->second.empty()) {
        return std::tmpfile();
    }
    return fmemopen(found->second.data(), found->second.size(), "rb");
}

bool IsReadOnly(const char*) {
    return false;
}

FILE* Create(const char* name) {
    if (openWrite.stream != nullptr) {
        std::abort();  // the store writes one file at a time
    }
    openWrite.stream = open_memstream(&openWrite.buffer, &openWrite.size);
    openWrite.name = name;
    return openWrite.stream;
}

bool Write(FILE* file, const char* bytes, size_t length) {
    return std::fwrite(bytes, 1, length, file) == length;
}

bool Flush(FILE* file) {
    return std::fflush(file) == 0;
}

bool Close(FILE* file) {
    bool closed = std::fclose(file) == 0;
    if (file == openWrite.stream) {
        files[openWrite.name].assign(openWrite.buffer, openWrite.size);
        ++writes;
        std::free(openWrite.buffer);
        openWrite = OpenWrite{};
    }
    return closed;
}

bool Replace(const char* source, const char* target) {
    auto found = files.find(source);
    if (found == files.end()) {
        return false;
    }
    files[target] = found->second;
    files.erase(source);
    ++writes;
    return true;
}

void Remove(const char* name) {
    files.erase(name);
}

const SettingsFileLayer memoryLayer = {OpenForReading, IsReadOnly, Create, Write, Flush, Close, Replace, Remove};

}  // namespace

void Install() {
    files.clear();
    writes = 0;
    SetSettingsFileLayer(&memoryLayer);
}

const std::string* Find(const char* name) {
    auto found = files.find(name);
    return found == files.end() ? nullptr : &found->second;
}

void Put(const char* name, const std::string& bytes) {
    files[name] = bytes;
}

int WritesSinceInstall() {
    return writes;
}

}  // namespace MemorySettingsFiles
