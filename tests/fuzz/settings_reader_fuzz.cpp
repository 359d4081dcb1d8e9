// Fuzzes the settings file reader with raw file bytes and compares it with a slow model of the format.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "game_state.h"
#include "memory_settings_files.h"
#include "settings_file.h"
#include "settings_text.h"

namespace {

bool IsSeparator(unsigned char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// The leading-integer rule with a 64-bit accumulator held at 2^31, independent of the store's.
int32_t ModelInteger(const std::string& token) {
    size_t at = 0;
    bool negative = false;
    if (at < token.size() && (token[at] == '+' || token[at] == '-')) {
        negative = token[at++] == '-';
    }
    int64_t magnitude = 0;
    for (; at < token.size() && token[at] >= '0' && token[at] <= '9'; ++at) {
        magnitude = std::min<int64_t>(magnitude * 10 + (token[at] - '0'), int64_t{1} << 31);
    }
    int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
}

// The six values a file means: data ends at a Ctrl-Z, tokens are cut to 19 bytes,
// missing tokens are 0, and the three round figures are kept in their ranges.
std::vector<int32_t> ModelValues(const uint8_t* data, size_t size) {
    std::vector<std::string> tokens;
    std::string token;
    bool inToken = false;
    for (size_t i = 0; i < size && data[i] != 0x1A && tokens.size() < 6; ++i) {
        if (IsSeparator(data[i])) {
            if (inToken) {
                tokens.push_back(token);
            }
            token.clear();
            inToken = false;
        } else {
            inToken = true;
            if (token.size() < 19) {
                token.push_back(static_cast<char>(data[i]));
            }
        }
    }
    if (inToken && tokens.size() < 6) {
        tokens.push_back(token);
    }
    std::vector<int32_t> values(6, 0);
    for (size_t i = 0; i < tokens.size(); ++i) {
        values[i] = ModelInteger(tokens[i]);
    }
    values[0] = ClampToRange(values[0], 1, 9);
    values[1] = ClampToRange(values[1], 1, 30);
    values[2] = ClampToRange(values[2], 1, 10);
    return values;
}

int warningsShown = 0;
void CountWarning(void*, const char*, const char*) {
    ++warningsShown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemorySettingsFiles::Install();
    SetSettingsWarning(CountWarning);
    MemorySettingsFiles::Put(SettingsFileName, std::string(reinterpret_cast<const char*>(data), size));
    gameSettings = GameSettings{-7, -7, -7, -7, -7, -7};  // nothing may survive from before the load
    warningsShown = 0;

    LoadSettings(nullptr);

    std::vector<int32_t> expected = ModelValues(data, size);
    std::vector<int32_t> loaded = {gameSettings.fixedCount, gameSettings.fixedTime, gameSettings.fixedTries,
                                   gameSettings.hideColor, gameSettings.courseMode, gameSettings.startLevel};
    // A file that opens is never reported, and loading never writes anything.
    if (loaded != expected || warningsShown != 0 || MemorySettingsFiles::WritesSinceInstall() != 0) {
        std::abort();
    }
    return 0;
}
