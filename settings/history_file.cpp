// Keeps "history.csv", one line for every finished game, and the player's bests drawn from it.
#include "history_file.h"

#include <cstring>
#include <ctime>

#include "game_host.h"
#include "game_state.h"
#include "player_texts.h"
#include "settings_file_platform.h"

const char* const HistoryFileName = "history.csv";

namespace {

const char* const HeaderLine =
    "played_at,course,target_count,progress,display_seconds,tries,rounds_cleared,stages_cleared,grade\r\n";
const char* const FixedCourseName = "fixed";
const char* const ChallengeCourseName = "challenge";
constexpr int FieldCount = 9;
// Longer than any line the game writes; anything longer is a hand edit and is skipped.
constexpr size_t LineLimit = 160;

const char* const GradeNames[BrainLevelCount] = {
    "Frog", "Bird", "Squirrel", "Boar", "Rabbit", "Pig", "Dog", "Human", "Chimpanzee", "SuperGenius",
};

HistorySummary summary;
bool summaryRead = false;
bool warned = false;
SettingsWarning historyWarning = nullptr;
LocalClock localClock = nullptr;
const HistoryFileLayer* fileLayer = nullptr;

const HistoryFileLayer& Files() {
    return fileLayer != nullptr ? *fileLayer : PlatformHistoryFileLayer();
}

LocalDateTime Now() {
    if (localClock != nullptr) {
        return localClock();
    }
    std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);  // one thread: the shared buffer is safe
    if (local == nullptr) {
        return {};
    }
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec};
}

// ---- The summary -------------------------------------------------------------

void ClearSummary() {
    summary.fixedGames = 0;
    summary.challengeGames = 0;
    summary.challengeBest = NoBest;
    for (int32_t& best : summary.fixedBests) {
        best = NoBest;
    }
    summary.recentCount = 0;
}

void KeepRecentStages(int32_t stagesCleared) {
    if (summary.recentCount == ChartedGames) {
        std::memmove(summary.recentStages, summary.recentStages + 1, sizeof summary.recentStages[0] * (ChartedGames - 1));
        summary.recentCount -= 1;
    }
    summary.recentStages[summary.recentCount++] = stagesCleared;
}

void Count(const GameRecord& game) {
    if (game.course == FixedCourse) {
        summary.fixedGames += 1;
        int32_t index = FixedSettingIndex({game.targetCount, game.displayTime, game.tries});
        if (index >= 0 && summary.fixedBests[index] < game.roundsCleared) {
            summary.fixedBests[index] = game.roundsCleared;
        }
    } else {
        summary.challengeGames += 1;
        KeepRecentStages(game.stagesCleared);
        if (summary.challengeBest < game.stagesCleared) {
            summary.challengeBest = game.stagesCleared;
        }
    }
}

// ---- Reading one line --------------------------------------------------------

struct Field {
    const char* text;
    size_t length;
    bool is(const char* word) const { return length == std::strlen(word) && std::memcmp(text, word, length) == 0; }
};

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

bool SplitFields(const char* line, size_t length, Field (&fields)[FieldCount]) {
    int count = 0;
    size_t start = 0;
    for (size_t at = 0; at <= length; ++at) {
        if (at == length || line[at] == ',') {
            if (count == FieldCount) {
                return false;
            }
            fields[count++] = {line + start, at - start};
            start = at + 1;
        }
    }
    return count == FieldCount;
}

// At most four digits: no figure the game writes comes near that, so more is damage.
bool ReadWhole(const Field& field, int32_t& value) {
    if (field.length == 0 || field.length > 4) {
        return false;
    }
    value = 0;
    for (size_t at = 0; at < field.length; ++at) {
        if (!IsDigit(field.text[at])) {
            return false;
        }
        value = value * 10 + (field.text[at] - '0');
    }
    return true;
}

// "0.5" or "12.0": seconds with exactly one decimal, as tenths.
bool ReadSeconds(const Field& field, int32_t& tenths) {
    if (field.length < 3 || field.text[field.length - 2] != '.' || !IsDigit(field.text[field.length - 1])) {
        return false;
    }
    int32_t seconds = 0;
    if (!ReadWhole({field.text, field.length - 2}, seconds)) {
        return false;
    }
    tenths = seconds * 10 + (field.text[field.length - 1] - '0');
    return true;
}

// yyyy-mm-ddThh:mm:ss; the figures are not used, but a torn or edited stamp marks a bad line.
bool IsTimestamp(const Field& field) {
    const char* pattern = "dddd-dd-ddTdd:dd:dd";
    if (field.length != std::strlen(pattern)) {
        return false;
    }
    for (size_t at = 0; at < field.length; ++at) {
        bool fits = pattern[at] == 'd' ? IsDigit(field.text[at]) : field.text[at] == pattern[at];
        if (!fits) {
            return false;
        }
    }
    return true;
}

bool ReadGrade(const Field& field, BrainLevel& grade) {
    for (int32_t level = 0; level < BrainLevelCount; ++level) {
        if (field.is(GradeNames[level])) {
            grade = static_cast<BrainLevel>(level);
            return true;
        }
    }
    return false;
}

bool IsWithin(int32_t value, const FigureRange& range) {
    return range.low <= value && value <= range.high;
}

// Figures that each make sense alone can still be no game's, when a hand edit or damage changed one
// of them. A game ends on a wrong press, with progress the number that was due, or on a cleared round
// (progress one past the count) once its rounds cleared reach its tries. Lowering the tries in the
// settings during a game can leave more rounds cleared than tries; such a line is not counted either,
// since it would set a best for that setting that no game played at it can beat.
bool FixedFiguresAgree(const GameRecord& game) {
    bool lastRoundCleared = game.progress == game.targetCount + 1;
    return game.progress >= 1 && game.progress <= game.targetCount + 1 && game.roundsCleared <= game.tries &&
           (!lastRoundCleared || game.roundsCleared == game.tries) &&
           game.grade == rateFixedCourse(game.targetCount, game.progress, game.displayTime, game.roundsCleared);
}

// The count and time are those of the last stage cleared since the program started, which may have
// been in an earlier game, or in a fixed round that a change of course in the settings judged as a
// stage, so they need not be the stage table's row of the stages cleared. They are 0 and 0.0 only
// before the first clear, so only in a game that cleared nothing past where a start level begins.
// The grade is that of the stage after those cleared; the rule gives any stage past the last the
// last one's grade, so a full clear reads right too.
bool ChallengeFiguresAgree(const GameRecord& game) {
    bool someStageCleared = IsWithin(game.targetCount, CountRange) && IsWithin(game.displayTime, TimeRange);
    bool noneClearedYet = game.targetCount == 0 && game.displayTime == 0;
    bool clearedNothing = game.stagesCleared == StageBeforeStartLevel(BeginnerLevel) ||
                          game.stagesCleared == StageBeforeStartLevel(IntermediateLevel) ||
                          game.stagesCleared == StageBeforeStartLevel(AdvancedLevel);
    return (someStageCleared || (noneClearedYet && clearedNothing)) &&
           game.grade == rateChallengeCourse(game.stagesCleared + 1);
}

bool ReadFixedFigures(const Field (&fields)[FieldCount], GameRecord& game) {
    game.course = FixedCourse;
    return ReadWhole(fields[2], game.targetCount) && ReadWhole(fields[3], game.progress) &&
           ReadSeconds(fields[4], game.displayTime) && ReadWhole(fields[5], game.tries) &&
           ReadWhole(fields[6], game.roundsCleared) && fields[7].length == 0 &&
           FixedSettingIndex({game.targetCount, game.displayTime, game.tries}) >= 0 && FixedFiguresAgree(game);
}

bool ReadChallengeFigures(const Field (&fields)[FieldCount], GameRecord& game) {
    game.course = ChallengeCourse;
    return ReadWhole(fields[2], game.targetCount) && fields[3].length == 0 &&
           ReadSeconds(fields[4], game.displayTime) && fields[5].length == 0 && fields[6].length == 0 &&
           ReadWhole(fields[7], game.stagesCleared) && game.stagesCleared <= LastStage &&
           ChallengeFiguresAgree(game);
}

bool ParseLine(const char* line, size_t length, GameRecord& game) {
    if (length > 0 && line[length - 1] == '\r') {
        length -= 1;
    }
    Field fields[FieldCount];
    if (!SplitFields(line, length, fields) || !IsTimestamp(fields[0]) || !ReadGrade(fields[8], game.grade)) {
        return false;
    }
    if (fields[1].is(FixedCourseName)) {
        return ReadFixedFigures(fields, game);
    }
    return fields[1].is(ChallengeCourseName) && ReadChallengeFigures(fields, game);
}

void CountLine(const char* line, size_t length) {
    GameRecord game = {};
    if (ParseLine(line, length, game)) {
        Count(game);
    }
}

// Splits the bytes into lines itself: a NUL or an over-long line spoils only its own line.
void CountLines(FILE* file) {
    static char block[16384];
    char line[LineLimit];
    size_t length = 0;
    bool overlong = false;
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        for (size_t at = 0; at < got; ++at) {
            if (block[at] == '\n') {
                if (!overlong) {
                    CountLine(line, length);
                }
                length = 0;
                overlong = false;
            } else if (length < LineLimit) {
                line[length++] = block[at];
            } else {
                overlong = true;
            }
        }
    }
    if (!overlong) {
        CountLine(line, length);
    }
}

// ---- Writing one line --------------------------------------------------------

}  // namespace

int FormatHistoryLine(const GameRecord& game, const LocalDateTime& at, char* line, size_t size) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02dT%02d:%02d:%02d", static_cast<int>(at.year),
                  static_cast<int>(at.month), static_cast<int>(at.day), static_cast<int>(at.hour),
                  static_cast<int>(at.minute), static_cast<int>(at.second));
    const char* grade = GradeNames[game.grade];
    int seconds = static_cast<int>(game.displayTime / 10), tenth = static_cast<int>(game.displayTime % 10);
    if (game.course == FixedCourse) {
        return std::snprintf(line, size, "%s,%s,%d,%d,%d.%d,%d,%d,,%s\r\n", stamp, FixedCourseName,
                             static_cast<int>(game.targetCount), static_cast<int>(game.progress), seconds, tenth,
                             static_cast<int>(game.tries), static_cast<int>(game.roundsCleared), grade);
    }
    return std::snprintf(line, size, "%s,%s,%d,,%d.%d,,,%d,%s\r\n", stamp, ChallengeCourseName,
                         static_cast<int>(game.targetCount), seconds, tenth, static_cast<int>(game.stagesCleared),
                         grade);
}

namespace {

// What must come before the new line: the header in a new file, and a line end
// after a line that a crash cut short, so the new line is never glued to it.
const char* Lead(FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0 || std::ftell(file) <= 0) {
        return HeaderLine;
    }
    if (std::fseek(file, -1, SEEK_END) != 0) {
        return "";
    }
    return std::getc(file) == '\n' ? "" : "\r\n";
}

bool AppendLine(const GameRecord& game) {
    const HistoryFileLayer& files = Files();
    if (files.isReadOnly(HistoryFileName)) {
        return false;
    }
    FILE* file = files.openForAppending(HistoryFileName);
    if (file == nullptr) {
        return false;
    }
    char bytes[LineLimit * 2];
    std::strcpy(bytes, Lead(file));
    std::fseek(file, 0, SEEK_END);  // the switch from reading to writing needs it
    size_t lead = std::strlen(bytes);
    int length = FormatHistoryLine(game, Now(), bytes + lead, sizeof bytes - lead);
    bool written = length > 0 && files.append(file, bytes, lead + static_cast<size_t>(length));
    bool closed = files.close(file);
    return written && closed;
}

// Each good line goes in whole with its own line end: the last line of a file may lack one.
bool AppendGoodLines(FILE* file, const char* bytes, size_t length, int32_t& added) {
    const HistoryFileLayer& files = Files();
    const char* lead = Lead(file);
    std::fseek(file, 0, SEEK_END);
    bool written = true;
    size_t start = 0;
    while (start < length) {
        const char* end = static_cast<const char*>(std::memchr(bytes + start, '\n', length - start));
        size_t lineLength = (end != nullptr ? static_cast<size_t>(end - bytes) : length) - start;
        GameRecord game = {};
        if (lineLength <= LineLimit && ParseLine(bytes + start, lineLength, game)) {
            size_t kept = bytes[start + lineLength - 1] == '\r' ? lineLength - 1 : lineLength;
            written = written && files.append(file, lead, std::strlen(lead)) &&
                      files.append(file, bytes + start, kept) && files.append(file, "\r\n", 2);
            lead = "";
            Count(game);
            added += 1;
        }
        start += lineLength + 1;
    }
    return written;
}

void WarnOfFailedWrite(void* ownerWindow) {
    if (!warned && historyWarning != nullptr) {
        warned = true;
        historyWarning(ownerWindow, PlayerText(HistoryUnwritableText), PlayerText(WriteErrorCaption));
    }
}

// ---- The platform's files ----------------------------------------------------

FILE* OpenForAppending(const char* name) {
    return std::fopen(name, "a+b");
}

bool AppendBytes(FILE* file, const char* bytes, size_t length) {
    return std::fwrite(bytes, 1, length, file) == length && PlatformFlush(file);
}

bool CloseFile(FILE* file) {
    return std::fclose(file) == 0;
}

const HistoryFileLayer platformLayer = {
    PlatformOpenForReading, PlatformIsReadOnly, OpenForAppending, AppendBytes, CloseFile,
};

}  // namespace

int32_t FixedSettingIndex(const FixedSetting& setting) {
    if (!IsWithin(setting.targetCount, CountRange) || !IsWithin(setting.displayTime, TimeRange) ||
        !IsWithin(setting.tries, TriesRange)) {
        return -1;
    }
    return ((setting.targetCount - CountRange.low) * TimeRange.high + setting.displayTime - TimeRange.low) *
               TriesRange.high +
           setting.tries - TriesRange.low;
}

const HistoryFileLayer& PlatformHistoryFileLayer() {
    return platformLayer;
}

void SetHistoryFileLayer(const HistoryFileLayer* layer) {
    fileLayer = layer;
}

void SetHistoryClock(LocalClock clock) {
    localClock = clock;
}

void SetHistoryWarning(SettingsWarning warning) {
    historyWarning = warning;
    warned = false;
}

const HistorySummary& GameHistory() {
    if (!summaryRead) {
        summaryRead = true;
        ClearSummary();
        if (FILE* file = Files().openForReading(HistoryFileName)) {
            CountLines(file);
            Files().close(file);
        }
    }
    return summary;
}

void ForgetGameHistory() {
    summaryRead = false;
    ClearSummary();
}

int32_t AddHistoryLines(const char* bytes, size_t length, void* ownerWindow) {
    GameHistory();  // the lines kept so far are counted before any are added
    const HistoryFileLayer& files = Files();
    FILE* file = files.isReadOnly(HistoryFileName) ? nullptr : files.openForAppending(HistoryFileName);
    int32_t added = 0;
    bool written = file != nullptr && AppendGoodLines(file, bytes, length, added);
    bool closed = file != nullptr && files.close(file);
    if (!written || !closed) {
        WarnOfFailedWrite(ownerWindow);
        return -1;
    }
    return added;
}

int32_t FixedBest(const FixedSetting& setting) {
    int32_t index = FixedSettingIndex(setting);
    return index < 0 ? NoBest : GameHistory().fixedBests[index];
}

PersonalBest RecordGame(const GameRecord& game, void* ownerWindow) {
    FixedSetting setting = {game.targetCount, game.displayTime, game.tries};
    int32_t before = game.course == FixedCourse ? FixedBest(setting) : GameHistory().challengeBest;
    int32_t figure = game.course == FixedCourse ? game.roundsCleared : game.stagesCleared;
    if (!AppendLine(game)) {
        WarnOfFailedWrite(ownerWindow);
    }
    Count(game);
    // Nothing cleared is no record, even in a first game.
    return {figure > before ? figure : before, figure > before && figure > 0};
}

GameRecord FinishedGameRecord(int32_t course) {
    GameRecord game = {};
    if (course == FixedCourse) {
        game = {FixedCourse, resultSnapshot.targetCount, resultSnapshot.progress, resultSnapshot.displayTime,
                resultSnapshot.tries, resultSnapshot.roundsPlayed, 0,
                rateFixedCourse(resultSnapshot.targetCount, resultSnapshot.progress, resultSnapshot.displayTime,
                                resultSnapshot.roundsPlayed)};
    } else {
        game = {ChallengeCourse, resultSnapshot.clearedCount, 0, resultSnapshot.clearedTime, 0, 0,
                ChallengeStagesCleared(),
                rateChallengeCourse(roundState.stage)};
    }
    return game;
}
