// Fuzzes save then load: whatever six values are saved, the file is the exact text and loads back to them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game_state.h"
#include "memory_settings_files.h"
#include "settings_file.h"
#include "settings_text.h"

namespace {

int warningsShown = 0;
void CountWarning(void*, const char*, const char*) {
    ++warningsShown;
}

// Six values from the input, four bytes each; a short input leaves the rest 0.
GameSettings ValuesFromInput(const uint8_t* data, size_t size) {
    int32_t values[6] = {};
    std::memcpy(values, data, std::min(size, sizeof values));
    return GameSettings{values[0], values[1], values[2], values[3], values[4], values[5]};
}

std::string ExpectedFileText(const GameSettings& saved) {
    std::string text;
    for (int32_t value : {saved.fixedCount, saved.fixedTime, saved.fixedTries, saved.hideColor, saved.courseMode,
                          saved.startLevel}) {
        text += std::to_string(value) + "\r\n";
    }
    return text;
}

bool SameValues(const GameSettings& a, const GameSettings& b) {
    return a.fixedCount == b.fixedCount && a.fixedTime == b.fixedTime && a.fixedTries == b.fixedTries &&
           a.hideColor == b.hideColor && a.courseMode == b.courseMode && a.startLevel == b.startLevel;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemorySettingsFiles::Install();
    SetSettingsWarning(CountWarning);
    warningsShown = 0;
    // An earlier file of any content, from the bytes after the six values, is replaced whole.
    if (size > 24) {
        MemorySettingsFiles::Put(SettingsFileName, std::string(reinterpret_cast<const char*>(data) + 24, size - 24));
    }
    const GameSettings saved = ValuesFromInput(data, size);
    gameSettings = saved;
    SaveSettings(nullptr);

    const std::string* file = MemorySettingsFiles::Find(SettingsFileName);
    if (warningsShown != 0 || file == nullptr || *file != ExpectedFileText(saved) ||
        MemorySettingsFiles::Find("setdata.ini.tmp") != nullptr) {
        std::abort();
    }

    gameSettings = GameSettings{};
    LoadSettings(nullptr);
    GameSettings expected = saved;
    expected.fixedCount = ClampToRange(saved.fixedCount, 1, 9);
    expected.fixedTime = ClampToRange(saved.fixedTime, 1, 30);
    expected.fixedTries = ClampToRange(saved.fixedTries, 1, 10);
    if (warningsShown != 0 || !SameValues(gameSettings, expected)) {
        std::abort();
    }
    return 0;
}
