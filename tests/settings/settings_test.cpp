// Loading and saving setdata.ini, and turning the settings dialog's texts into values.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "game_state.h"
#include "settings_file.h"
#include "settings_file_layer.h"
#include "settings_text.h"

namespace {
namespace fs = std::filesystem;
std::string warnings;
int failingStep = 0;  // the step of a save that fails: create, six writes, flush, close, replace; 0 none
int stepsTaken = 0;

bool StepFails() {
    return ++stepsTaken == failingStep;
}

// A failed create may still leave an empty file behind, and a failed close still closes.
const SettingsFileLayer& real = PlatformSettingsFileLayer();
const SettingsFileLayer failingLayer = {
    real.openForReading, real.isReadOnly,
    [](const char* name) { return StepFails() ? (real.close(real.create(name)), nullptr) : real.create(name); },
    [](FILE* file, const char* bytes, size_t length) { return !StepFails() && real.write(file, bytes, length); },
    [](FILE* file) { return !StepFails() && real.flush(file); },
    [](FILE* file) { return StepFails() ? (real.close(file), false) : real.close(file); },
    [](const char* source, const char* target) { return !StepFails() && real.replace(source, target); },
    real.remove,
};

// Every test works in one fresh folder, removed at the end.
struct WorkingFolder {
    const fs::path start = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / ("glimmark-" + std::to_string(std::random_device()()));
    WorkingFolder() {
        fs::create_directory(folder);
        fs::current_path(folder);
        SetSettingsWarning(
            [](void*, const char* text, const char* caption) { warnings += std::string(text) + "|" + caption + " "; });
    }
    ~WorkingFolder() {
        fs::current_path(start);
        fs::remove_all(folder);
    }
} workingFolder;

std::string Settings() {
    const GameSettings& s = gameSettings;
    std::string values;
    for (int32_t value : {s.fixedCount, s.fixedTime, s.fixedTries, s.hideColor, s.courseMode, s.startLevel}) {
        values += std::to_string(value) + " ";
    }
    return values;
}

// A new file each time: ext4 syncs a file that is truncated and rewritten to the disk.
void WriteFile(const std::string& bytes) {
    fs::remove("setdata.ini");
    std::ofstream("setdata.ini", std::ios::binary) << bytes;
}

std::string FileBytes() {
    return {std::istreambuf_iterator<char>(std::ifstream("setdata.ini", std::ios::binary).rdbuf()), {}};
}
}  // namespace

TEST(SettingsFile, ReadRulesOnOddFiles) {
    const std::pair<std::string, std::string> files[] = {
        {"", "1 1 1 0 0 0 "},  // missing values read 0, and count, time and tries clamp to 1
        {"4\r\n20\r\n5\r\n", "4 20 5 0 0 0 "},
        {"7x\r\n8\r\n2\r\nx7\r\n+8\r\n-4\r\n", "7 8 2 0 8 -4 "},
        {"\r\n\r\n3\n\n  10\t3\v0\f1\r1 7 8", "3 10 3 0 1 1 "},
        {"\x82\x50 0 -1 \x82\x50 0 0", "1 1 1 0 0 0 "},  // a full-width digit is no digit
        {"50 99 11 7 -3 9", "9 30 10 7 -3 9 "},
        {"1 2 3 00000000000000000012345 5 6", "1 2 3 1 5 6 "},  // 19 characters kept, the rest skipped
        {"1 2 3 99999999999 -2147483649 2147483648", "1 2 3 2147483647 -2147483648 2147483647 "},
        {"4 5 6 7\x1a 8 9", "4 5 6 7 0 0 "},  // Ctrl-Z ends the data
    };
    for (const auto& [bytes, values] : files) {
        WriteFile(bytes);
        LoadSettings(nullptr);
        EXPECT_EQ(Settings(), values) << '"' << bytes << '"';
    }
}

TEST(SettingsFile, ASaveFailingAtAnyStepLeavesTheOldFileByteForByte) {
    const std::string earlier = "3\r\n10\r\n3\r\n0\r\n1\r\n1\r\nand a note\r\n";
    SetSettingsFileLayer(&failingLayer);
    for (failingStep = 1; failingStep <= 11; ++failingStep) {
        WriteFile(earlier);
        gameSettings = {9, 30, 10, -5, INT32_MIN, 3};
        warnings.clear();
        stepsTaken = 0;
        SaveSettings(nullptr);
        EXPECT_EQ(warnings + FileBytes(), failingStep <= 10 ? "ファイルが書けません|ライトエラー " + earlier
                                                            : "9\r\n30\r\n10\r\n-5\r\n-2147483648\r\n3\r\n")
            << "failing step " << failingStep;
        EXPECT_FALSE(fs::exists("setdata.ini.tmp"));  // nor is the temporary file left behind
    }
    SetSettingsFileLayer(nullptr);
}

// A read-only file is read but never replaced; a folder in its place is neither, and the defaults apply.
TEST(SettingsFile, AReadOnlyFileOrAFolderInItsPlaceIsNeverReplaced) {
    WriteFile("5 20 4 2 0 3");
    fs::permissions("setdata.ini", fs::perms::owner_read);
    warnings.clear();
    LoadSettings(nullptr);
    SaveSettings(nullptr);
    EXPECT_EQ(warnings + Settings() + FileBytes(), "ファイルが書けません|ライトエラー 5 20 4 2 0 3 5 20 4 2 0 3");
    fs::permissions("setdata.ini", fs::perms::owner_all);
    fs::remove("setdata.ini");
    fs::create_directory("setdata.ini");  // cannot be read either: the defaults
    LoadSettings(nullptr);
    SaveSettings(nullptr);
    EXPECT_EQ(warnings + Settings(), "ファイルが書けません|ライトエラー 設定ファイルがありません|リードエラー "
                                     "ファイルが書けません|ライトエラー 3 10 3 0 1 1 ");
    EXPECT_TRUE(fs::remove("setdata.ini"));  // still the empty folder
}

TEST(SettingsText, LeadingIntegersExactTenthsSaturationAndClamping) {
    const std::tuple<int32_t (*)(const char*), const char*, int32_t> conversions[] = {
        {TimeFromText, "0.3", 3}, {TimeFromText, "0.7", 7}, {TimeFromText, " \t2.3", 23}, {TimeFromText, "1.25", 12},
        {TimeFromText, "0.29999999999999999999", 2}, {TimeFromText, "0.00000000025e10", 25}, {TimeFromText, "1e", 10},
        {TimeFromText, "214748364.8", 30}, {TimeFromText, "-214748364.9", 1}, {TimeFromText, "1e99999999999999999999", 30},
        {TimeFromText, "0.05", 1}, {TimeFromText, "nan", 1}, {CountFromText, " \t\n\v\f\r3x", 3},
        {CountFromText, "+-4", 1}, {CountFromText, "-99999999999999999999", 1}, {CountFromText, "12", 9},
        {TriesFromText, "0", 1}, {TriesFromText, "11", 10}, {ColorFromText, "5:桃色", 5}, {LevelFromText, "3:上級", 3},
    };
    for (const auto& [convert, text, value] : conversions) {
        EXPECT_EQ(convert(text), value) << '"' << text << '"';
    }
}

// An entry chosen in a list must read back as the code that shows it, in either language,
// and a code from a hand-edited file still shows as some entry.
TEST(SettingsText, EachListEntryReadsBackAsItsCodeAndAnyOtherCodeShowsTheLast) {
    const std::tuple<const TextList*, int32_t (*)(const char*)> lists[] = {
        {&ColorItemList, ColorFromText}, {&LevelItemList, LevelFromText}};
    for (const auto& [list, fromText] : lists) {
        for (int32_t code = 1; code <= list->count; ++code) {
            EXPECT_EQ(fromText(PlayerTextIn(JapaneseLanguage, ListedText(*list, code))), code);
            EXPECT_EQ(fromText(PlayerTextIn(EnglishLanguage, ListedText(*list, code))), code);
        }
        EXPECT_EQ(ListedEntry(*list, 0), list->count - 1);
        EXPECT_EQ(ListedEntry(*list, list->count + 1), list->count - 1);
    }
}
