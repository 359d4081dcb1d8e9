// Checks loading and saving setdata.ini, each test in a fresh working folder of its own.
#include "settings_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "game_state.h"
#include "settings_file_layer.h"

namespace {

namespace fs = std::filesystem;

using Values = std::array<int32_t, 6>;

const char* const TemporaryFileName = "setdata.ini.tmp";
const std::string DefaultFileBytes = "3\r\n10\r\n3\r\n0\r\n1\r\n1\r\n";
// "設定ファイルがありません" / "リードエラー" and "ファイルが書けません" / "ライトエラー" in Shift-JIS.
const std::string ReadWarningText = "\x90\xdd\x92\xe8\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";
const std::string ReadWarningCaption = "\x83\x8a\x81\x5b\x83\x68\x83\x47\x83\x89\x81\x5b";
const std::string WriteWarningText = "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8f\x91\x82\xaf\x82\xdc\x82\xb9\x82\xf1";
const std::string WriteWarningCaption = "\x83\x89\x83\x43\x83\x67\x83\x47\x83\x89\x81\x5b";

struct Warning {
    void* ownerWindow;
    std::string text;
    std::string caption;
};
std::vector<Warning> warnings;

void RecordWarning(void* ownerWindow, const char* text, const char* caption) {
    warnings.push_back({ownerWindow, text, caption});
}

Values CurrentSettings() {
    return {gameSettings.fixedCount, gameSettings.fixedTime, gameSettings.fixedTries,
            gameSettings.hideColor, gameSettings.courseMode, gameSettings.startLevel};
}

void SetSettings(const Values& values) {
    gameSettings = {values[0], values[1], values[2], values[3], values[4], values[5]};
}

void WriteFile(const char* name, const std::string& bytes) {
    FILE* file = std::fopen(name, "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    ASSERT_EQ(std::fclose(file), 0);
}

std::string ReadFile(const char* name) {
    std::string bytes;
    FILE* file = std::fopen(name, "rb");
    if (file != nullptr) {
        for (int byte = std::getc(file); byte != EOF; byte = std::getc(file)) {
            bytes.push_back(static_cast<char>(byte));
        }
        std::fclose(file);
    }
    return bytes;
}

void MakeReadOnly(const char* name, bool readOnly) {
    fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(name, write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

bool IsReadOnly(const char* name) {
    return (fs::status(name).permissions() & fs::perms::owner_write) == fs::perms::none;
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        startFolder = fs::current_path();
        std::random_device random;
        do {
            folder = fs::temp_directory_path() / ("glimmark-settings-" + std::to_string(random()));
        } while (!fs::create_directory(folder));
        fs::current_path(folder);
        warnings.clear();
        SetSettingsWarning(RecordWarning);
        gameSettings = {};
    }

    void TearDown() override {
        SetSettingsFileLayer(nullptr);
        SetSettingsWarning(nullptr);
        if (fs::is_regular_file(SettingsFileName)) {
            MakeReadOnly(SettingsFileName, false);
        }
        fs::current_path(startFolder);
        fs::remove_all(folder);
    }

    Values Load(const std::string& bytes) {
        WriteFile(SettingsFileName, bytes);
        LoadSettings(nullptr);
        return CurrentSettings();
    }

    void ExpectOneWarning(const std::string& text, const std::string& caption) {
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0].text, text);
        EXPECT_EQ(warnings[0].caption, caption);
    }

    fs::path startFolder;
    fs::path folder;
};

TEST_F(SettingsFile, FirstStartWarnsUsesTheDefaultsAndSavesThem) {
    int owner = 0;
    LoadSettings(&owner);
    ExpectOneWarning(ReadWarningText, ReadWarningCaption);
    EXPECT_EQ(warnings[0].ownerWindow, &owner);
    EXPECT_EQ(CurrentSettings(), (Values{3, 10, 3, 0, 1, 1}));

    warnings.clear();
    SaveSettings(&owner);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(ReadFile(SettingsFileName), DefaultFileBytes);
    EXPECT_FALSE(IsReadOnly(SettingsFileName));
    EXPECT_FALSE(fs::exists(TemporaryFileName));

    SetSettingsWarning(nullptr);  // no warning operation installed: silent
    fs::remove(SettingsFileName);
    LoadSettings(nullptr);
    EXPECT_EQ(CurrentSettings(), (Values{3, 10, 3, 0, 1, 1}));
}

TEST_F(SettingsFile, ReadsSixTokensByTheLeadingIntegerRuleAndClampsTheRoundFigures) {
    struct FileCase {
        std::string bytes;
        Values values;
    };
    // Counts, times and tries below 1 come back as 1.
    const FileCase cases[] = {
        {"5 20 4 2 0 3", {5, 20, 4, 2, 0, 3}},
        {"", {1, 1, 1, 0, 0, 0}},
        {"4\r\n20\r\n5\r\n", {4, 20, 5, 0, 0, 0}},
        {"7x\r\n8\r\n2\r\nx7\r\n+8\r\n-4\r\n", {7, 8, 2, 0, 8, -4}},
        {"3\r\n10\r\n3\r\n0\r\n1\r\n1", {3, 10, 3, 0, 1, 1}},
        {"\r\n\r\n3\r\n\r\n  10\r\n\t3\r\n\r\n\r\n0\r\n1\r\n1\r\n\r\n", {3, 10, 3, 0, 1, 1}},
        {"3\n10\n3\n0\n1\n1\n", {3, 10, 3, 0, 1, 1}},
        {"1\v2\f3\t4 5\n6", {1, 2, 3, 4, 5, 6}},
        {"1 2 3 4 5 6 7 8", {1, 2, 3, 4, 5, 6}},
        {"\x82\x50 2 3 \x82\x50 5 6", {1, 2, 3, 0, 5, 6}},  // full-width digits are no digits
        // Count, time and tries are clamped; the codes are kept as they stand.
        {"50 99 11 7 -3 9", {9, 30, 10, 7, -3, 9}},
        {"-5 0 -1 0 0 0", {1, 1, 1, 0, 0, 0}},
        // A long token's value comes from its first 19 characters; the rest is no token.
        {"1 2 3 00000000000000000012345 5 6", {1, 2, 3, 1, 5, 6}},
        {"1 2 3 -99999999999999999999999999999 5 6", {1, 2, 3, INT32_MIN, 5, 6}},
        {"1 2 3 99999999999 -2147483649 2147483648", {1, 2, 3, INT32_MAX, INT32_MIN, INT32_MAX}},
        // A stray carriage return separates; Ctrl-Z ends the data.
        {"4\r5\r\r6\r7\r8\r9", {4, 5, 6, 7, 8, 9}},
        {"4 5 6 7\x1a 8 9", {4, 5, 6, 7, 0, 0}},
        {"4 5 6 78\x1a" "9\r\n1\r\n", {4, 5, 6, 78, 0, 0}},
    };
    for (const FileCase& entry : cases) {
        EXPECT_EQ(Load(entry.bytes), entry.values) << '"' << entry.bytes << '"';
    }
    EXPECT_TRUE(warnings.empty());
}

TEST_F(SettingsFile, WhatIsSavedLoadsBack) {
    const Values saved[] = {
        {9, 30, 10, 5, 0, 3},
        {1, 1, 1, -1, INT32_MIN, INT32_MAX},
        {5, 7, 2, INT32_MAX, 2, INT32_MIN},
    };
    for (const Values& values : saved) {
        SetSettings(values);
        SaveSettings(nullptr);
        gameSettings = {};
        LoadSettings(nullptr);
        EXPECT_EQ(CurrentSettings(), values);
    }
    // Out-of-range round figures are written as they stand and clamped on the way back.
    SetSettings({INT32_MAX, INT32_MIN, -7, 15, 2, -2});
    SaveSettings(nullptr);
    EXPECT_EQ(ReadFile(SettingsFileName), "2147483647\r\n-2147483648\r\n-7\r\n15\r\n2\r\n-2\r\n");
    LoadSettings(nullptr);
    EXPECT_EQ(CurrentSettings(), (Values{9, 1, 1, 15, 2, -2}));
    EXPECT_TRUE(warnings.empty());
}

// A longer earlier file is replaced whole; the half-written temporary file of a
// crashed save neither stops the save nor outlives it.
TEST_F(SettingsFile, SavingReplacesWhatWasThere) {
    const char* const earlier[][2] = {
        {"9\r\n30\r\n10\r\n5\r\n0\r\n3\r\nextra text\r\n12345678901234567890\r\n", nullptr},
        {"1 2 3 4 5 6", "half a save from a crash that was much longer\r\n"},
    };
    for (const auto& [settings, temporary] : earlier) {
        WriteFile(SettingsFileName, settings);
        if (temporary) {
            WriteFile(TemporaryFileName, temporary);
        }
        SetSettings({3, 10, 3, 0, 1, 1});
        SaveSettings(nullptr);
        EXPECT_EQ(ReadFile(SettingsFileName), DefaultFileBytes);
        EXPECT_FALSE(fs::exists(TemporaryFileName));
    }
    EXPECT_TRUE(warnings.empty());
}

TEST_F(SettingsFile, AReadOnlyFileLoadsButIsNeverOverwritten) {
    const std::string earlier = "5 20 4 2 0 3";
    WriteFile(SettingsFileName, earlier);
    MakeReadOnly(SettingsFileName, true);
    LoadSettings(nullptr);
    EXPECT_EQ(CurrentSettings(), (Values{5, 20, 4, 2, 0, 3}));
    EXPECT_TRUE(warnings.empty());

    SetSettings({3, 10, 3, 0, 1, 1});
    SaveSettings(nullptr);
    ExpectOneWarning(WriteWarningText, WriteWarningCaption);
    EXPECT_EQ(ReadFile(SettingsFileName), earlier);
    EXPECT_TRUE(IsReadOnly(SettingsFileName));
    EXPECT_FALSE(fs::exists(TemporaryFileName));
}

TEST_F(SettingsFile, AFolderNamedLikeTheFileCannotBeReadNorWritten) {
    fs::create_directory(SettingsFileName);
    LoadSettings(nullptr);
    ExpectOneWarning(ReadWarningText, ReadWarningCaption);
    EXPECT_EQ(CurrentSettings(), (Values{3, 10, 3, 0, 1, 1}));

    warnings.clear();
    SaveSettings(nullptr);
    ExpectOneWarning(WriteWarningText, WriteWarningCaption);
    EXPECT_TRUE(fs::is_directory(SettingsFileName));
    EXPECT_FALSE(fs::exists(TemporaryFileName));
}

// ---- Every step of a save made to fail in turn -----------------------------

// Steps in the order a save takes them: create, six writes, flush, close, replace.
constexpr int SaveStepCount = 10;
int failingStep = 0;
int stepsTaken = 0;

bool StepFails() {
    return ++stepsTaken == failingStep;
}

const SettingsFileLayer& Real() {
    return PlatformSettingsFileLayer();
}

// A failed create may still leave an empty file behind.
FILE* CreateOrFail(const char* name) {
    FILE* file = Real().create(name);
    if (StepFails() && file != nullptr) {
        Real().close(file);
        return nullptr;
    }
    return file;
}

// A failed write may have written part of its bytes.
bool WriteOrFail(FILE* file, const char* bytes, size_t length) {
    if (StepFails()) {
        Real().write(file, bytes, length / 2);
        return false;
    }
    return Real().write(file, bytes, length);
}

bool FlushOrFail(FILE* file) {
    return !StepFails() && Real().flush(file);
}

bool CloseOrFail(FILE* file) {
    bool fails = StepFails();
    return Real().close(file) && !fails;
}

bool ReplaceOrFail(const char* source, const char* target) {
    return !StepFails() && Real().replace(source, target);
}

const SettingsFileLayer failingLayer = {
    PlatformSettingsFileLayer().openForReading, PlatformSettingsFileLayer().isReadOnly,
    CreateOrFail, WriteOrFail, FlushOrFail, CloseOrFail, ReplaceOrFail,
    PlatformSettingsFileLayer().remove,
};

class FailingSave : public SettingsFile {
protected:
    void SaveFailingAt(int step) {
        failingStep = step;
        stepsTaken = 0;
        warnings.clear();
        SetSettingsFileLayer(&failingLayer);
        SetSettings({9, 30, 10, 5, 0, 3});
        SaveSettings(nullptr);
        SetSettingsFileLayer(nullptr);
    }
};

TEST_F(FailingSave, WithNoFailureEveryStepIsTaken) {
    SaveFailingAt(0);
    EXPECT_EQ(stepsTaken, SaveStepCount);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(ReadFile(SettingsFileName), "9\r\n30\r\n10\r\n5\r\n0\r\n3\r\n");
}

// With an earlier file and without one, a failed save leaves things as they were.
TEST_F(FailingSave, AnyFailedStepWarnsAndChangesNoFile) {
    const std::string earlier = "3\r\n10\r\n3\r\n0\r\n1\r\n1\r\nand a note\r\n";
    for (bool earlierFile : {true, false}) {
        for (int step = 1; step <= SaveStepCount; ++step) {
            fs::remove(SettingsFileName);
            if (earlierFile) {
                WriteFile(SettingsFileName, earlier);
            }
            SaveFailingAt(step);
            SCOPED_TRACE("failing step " + std::to_string(step) + (earlierFile ? " over a file" : " with none"));
            ExpectOneWarning(WriteWarningText, WriteWarningCaption);
            EXPECT_EQ(fs::exists(SettingsFileName), earlierFile);
            EXPECT_EQ(ReadFile(SettingsFileName), earlierFile ? earlier : "");
            EXPECT_FALSE(fs::exists(TemporaryFileName));
        }
    }
}

}  // namespace
