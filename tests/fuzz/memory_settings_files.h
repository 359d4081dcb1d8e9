// A settings file layer kept in memory, so that fuzzing runs millions of loads and saves without a disk.
#pragma once

#include <string>

#include "settings_file_layer.h"

namespace MemorySettingsFiles {

// Installs the layer with no file at all; every save and load after this goes to memory.
void Install();
// The bytes of the file of that name, or nullptr when there is none.
const std::string* Find(const char* name);
void Put(const char* name, const std::string& bytes);
// How many files the store created or replaced: a load must do neither.
int WritesSinceInstall();

}  // namespace MemorySettingsFiles
