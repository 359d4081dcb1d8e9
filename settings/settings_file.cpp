// Reads and writes "setdata.ini", the six settings kept between runs.
#include "settings_file.h"

#include <cstddef>
#include <cstdio>

#include "game_state.h"
#include "player_texts.h"
#include "settings_file_layer.h"
#include "settings_text.h"

const char* const SettingsFileName = "setdata.ini";

namespace {

// Saving writes here first, so that setdata.ini is only ever replaced by a whole file.
const char* const TemporaryFileName = "setdata.ini.tmp";

// The fields in the order of the file's lines.
int32_t GameSettings::*const fieldsInFileOrder[] = {
    &GameSettings::fixedCount,
    &GameSettings::fixedTime,
    &GameSettings::fixedTries,
    &GameSettings::hideColor,
    &GameSettings::courseMode,
    &GameSettings::startLevel,
};

constexpr GameSettings DefaultSettings = {3, 10, 3, 0, 1, 1};

// 19 characters and the terminating zero; the rest of a longer token is skipped.
constexpr size_t TokenBufferSize = 20;

// Ctrl-Z, which old editors left as the end of a text file.
constexpr int EndOfDataByte = 0x1A;

SettingsWarning settingsWarning = nullptr;
const SettingsFileLayer* fileLayer = nullptr;

const SettingsFileLayer& Files() {
    return fileLayer != nullptr ? *fileLayer : PlatformSettingsFileLayer();
}

void Warn(void* ownerWindow, const char* text, const char* caption) {
    if (settingsWarning != nullptr) {
        settingsWarning(ownerWindow, text, caption);
    }
}

// ---- Reading -------------------------------------------------------------

// The file's bytes up to its end or its first Ctrl-Z, whichever comes first.
struct SettingsReader {
    FILE* file;
    bool ended;
};

int NextByte(SettingsReader& reader) {
    if (!reader.ended) {
        int byte = std::getc(reader.file);
        reader.ended = byte == EOF || byte == EndOfDataByte;
        if (!reader.ended) {
            return byte;
        }
    }
    return EOF;
}

// Space, tab, LF, VT, FF, and CR: a CR LF pair then reads as the LF alone would,
// and a stray CR parts two tokens just as a line end does.
bool IsSeparator(int byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// Reads the next token into buffer; false when the data ends first.
bool ReadToken(SettingsReader& reader, char (&buffer)[TokenBufferSize]) {
    int byte = NextByte(reader);
    while (byte != EOF && IsSeparator(byte)) {
        byte = NextByte(reader);
    }
    if (byte == EOF) {
        return false;
    }
    size_t length = 0;
    for (; byte != EOF && !IsSeparator(byte); byte = NextByte(reader)) {
        if (length < TokenBufferSize - 1) {
            buffer[length++] = static_cast<char>(byte);
        }
    }
    buffer[length] = '\0';
    return true;
}

// Only a hand-edited file brings values out of range; the count must fit the
// nine target slots, and a count, time or tries below 1 makes no round. The
// dialog's rules keep those three in range; the codes stay as read, since the
// game already gives every other value a meaning.
void ClampRoundFigures(GameSettings& settings) {
    settings.fixedCount = ClampToRange(settings.fixedCount, CountRange);
    settings.fixedTime = ClampToRange(settings.fixedTime, TimeRange);
    settings.fixedTries = ClampToRange(settings.fixedTries, TriesRange);
}

void ReadSettings(FILE* file) {
    SettingsReader reader = {file, false};
    for (int32_t GameSettings::*field : fieldsInFileOrder) {
        char token[TokenBufferSize];
        gameSettings.*field = ReadToken(reader, token) ? LeadingInteger(token) : 0;
    }
    ClampRoundFigures(gameSettings);
}

// ---- Writing -------------------------------------------------------------

bool WriteValues(FILE* file) {
    for (int32_t GameSettings::*field : fieldsInFileOrder) {
        char line[16];  // "-2147483648\r\n" and its zero fit
        int length = std::snprintf(line, sizeof line, "%d\r\n", static_cast<int>(gameSettings.*field));
        if (length <= 0 || !Files().write(file, line, static_cast<size_t>(length))) {
            return false;
        }
    }
    return true;
}

// Closes the file whatever happens, so that a failed save can remove it.
bool WriteAndClose(FILE* file) {
    bool written = WriteValues(file) && Files().flush(file);
    bool closed = Files().close(file);
    return written && closed;
}

// Writes the whole file beside setdata.ini and only then puts it in its place, so
// a failed write or a crash leaves the earlier file as it was.
bool WriteSettingsFile() {
    const SettingsFileLayer& files = Files();
    // Checked here because a privileged process could replace the file regardless.
    if (files.isReadOnly(SettingsFileName)) {
        return false;
    }
    files.remove(TemporaryFileName);  // the remains of a save that crashed
    FILE* file = files.create(TemporaryFileName);
    bool saved = file != nullptr && WriteAndClose(file) && files.replace(TemporaryFileName, SettingsFileName);
    if (!saved) {
        files.remove(TemporaryFileName);  // a failed create may still have made it
    }
    return saved;
}

}  // namespace

void SetSettingsWarning(SettingsWarning warning) {
    settingsWarning = warning;
}

void SetSettingsFileLayer(const SettingsFileLayer* layer) {
    fileLayer = layer;
}

void LoadSettings(void* ownerWindow) {
    FILE* file = Files().openForReading(SettingsFileName);
    if (file == nullptr) {
        Warn(ownerWindow, PlayerText(SettingsMissingText), PlayerText(ReadErrorCaption));
        gameSettings = DefaultSettings;
        return;
    }
    ReadSettings(file);
    Files().close(file);
}

void SaveSettings(void* ownerWindow) {
    if (!WriteSettingsFile()) {
        Warn(ownerWindow, PlayerText(SettingsUnwritableText), PlayerText(WriteErrorCaption));
    }
}
