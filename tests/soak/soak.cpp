// Plays many random games through the windowless host and checks the game's invariants after every event.
//   glimmark_soak [games [seed]]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "game_host.h"
#include "game_state.h"
#include "windowless_host.h"

using namespace WindowlessHost;

namespace {

// ---- Random choices --------------------------------------------------------

std::mt19937_64 randomSource;

int32_t Between(int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(randomSource);
}

bool Chance(int percent) {
    return Between(1, 100) <= percent;
}

template <size_t Size>
int32_t OneOf(const int32_t (&values)[Size]) {
    return values[Between(0, static_cast<int32_t>(Size) - 1)];
}

// ---- Figures ---------------------------------------------------------------

struct SoakFigures {
    long long games = 0, events = 0, clicks = 0, timerExpiries = 0, settingChanges = 0;
    long long roundsCompleted = 0, roundsFailed = 0, stagesCleared = 0, challengesFinished = 0;
    long long fixedGamesFinished = 0, interruptedGames = 0, modalInterruptions = 0;
    int32_t highestStage = 0;
};
SoakFigures figures;
unsigned long long seed = 1;

// What the event about to be checked was, and the round as it stood before it.
struct EventRecord {
    const char* name = "";
    RoundState before{};
    bool wasClickOnTarget = false;
    int32_t clickedNumber = 0;
};
EventRecord event;

void DescribeState() {
    std::fprintf(stderr, "  event %lld (%s), seed %llu\n", figures.events, event.name, seed);
    std::fprintf(stderr, "  before: count %d time %d stage %d next %d rounds %d\n", event.before.targetCount,
                 event.before.displayTime, event.before.stage, event.before.nextNumber, event.before.roundsPlayed);
    std::fprintf(stderr, "  after:  count %d time %d stage %d next %d rounds %d timer %d\n", roundState.targetCount,
                 roundState.displayTime, roundState.stage, roundState.nextNumber, roundState.roundsPlayed,
                 DisplayTimerRunning() ? 1 : 0);
    std::fprintf(stderr, "  settings: %d %d %d %d %d %d\n", gameSettings.fixedCount, gameSettings.fixedTime,
                 gameSettings.fixedTries, gameSettings.hideColor, gameSettings.courseMode, gameSettings.startLevel);
    for (int32_t number = 1; number <= MaxTargets; ++number) {
        const Target& target = targetTable.slots[number];
        std::fprintf(stderr, "  target %d: column %d row %d state %d\n", number, target.column, target.row, target.state);
    }
}

void Require(bool holds, const char* rule) {
    if (!holds) {
        std::fprintf(stderr, "soak: broken: %s\n", rule);
        DescribeState();
        std::exit(1);
    }
}

// ---- Expected texts (Shift-JIS, like the core's) ---------------------------

std::string Numbered(const char* format, int32_t number) {
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<int>(number));
    return text;
}
const char* const StageClearedFormat = "チャレンジ%dクリア";
const char* const RoundClearedFormat = "やったね！ST%dクリア";
const char* const WrongClickText = "ぶ～。間違いです！";

// ---- Invariants ------------------------------------------------------------

int32_t ExpectedPeriod() {
    const int64_t period = static_cast<int64_t>(roundState.displayTime) * 100;
    return period < INT32_MAX ? static_cast<int32_t>(period) : INT32_MAX;
}

void CheckBoard() {
    const int32_t count = PlayableTargetCount();
    for (int32_t number = 1; number <= count; ++number) {
        const Target& target = targetTable.slots[number];
        Require(target.column >= 0 && target.column < GridColumns && target.row >= 0 && target.row < GridRows,
                "every target lies inside the grid");
        Require(target.state >= Shown && target.state <= Revealed, "every target of the round has been placed");
        for (int32_t other = 1; other < number; ++other) {
            const Target& earlier = targetTable.slots[other];
            Require(std::abs(earlier.column - target.column) > 1 || std::abs(earlier.row - target.row) > 1,
                    "no two targets lie in touching cells");
        }
    }
}

int32_t CountInState(int32_t state) {
    int32_t found = 0;
    for (int32_t number = 1; number <= PlayableTargetCount(); ++number) {
        found += targetTable.slots[number].state == state ? 1 : 0;
    }
    return found;
}

// The failed board has two Wrong targets a < b, the due one and the one clicked: before a
// only Correct, after b only Revealed, and between them Correct when the click went back
// to an earlier target or Revealed when it jumped ahead.
bool IsFailedBoard() {
    const int32_t count = PlayableTargetCount();
    std::vector<int32_t> wrong;
    for (int32_t number = 1; number <= count; ++number) {
        if (targetTable.slots[number].state == Wrong) {
            wrong.push_back(number);
        }
    }
    if (wrong.size() != 2) {
        return false;
    }
    const int32_t between = wrong[1] - wrong[0] > 1 ? targetTable.slots[wrong[0] + 1].state : Correct;
    for (int32_t number = 1; number <= count; ++number) {
        const int32_t state = targetTable.slots[number].state;
        const int32_t expected = number < wrong[0] ? Correct : (number > wrong[1] ? Revealed : between);
        if (state != Wrong && state != expected) {
            return false;
        }
    }
    return between == Correct || between == Revealed;
}

void CheckStatesAgainstNextNumber() {
    const int32_t count = PlayableTargetCount();
    const int32_t next = roundState.nextNumber;
    Require(next >= 0 && next <= count, "between events input is closed or a number from 1 to N is due");
    if (count == 0) {
        Require(next == 0 && !DisplayTimerRunning(), "before any game nothing runs");
        return;
    }
    if (next >= 1) {
        Require(!DisplayTimerRunning(), "the display timer is stopped while the player recalls");
        for (int32_t number = 1; number <= count; ++number) {
            Require(targetTable.slots[number].state == (number < next ? Correct : Hidden),
                    "targets before the due one are Correct, the rest Hidden");
        }
        return;
    }
    if (DisplayTimerRunning()) {
        Require(CountInState(Shown) == count, "every target shows its number while the display time runs");
        Require(DisplayTimerPeriod() == ExpectedPeriod(), "the display timer runs for displayTime x 100 ms");
        return;
    }
    // Idle: the judged board of a finished game, or the fresh board after the last stage.
    const bool won = CountInState(Correct) == count;
    const bool freshAfterLastStage = ChallengeFullyCleared() && CountInState(Shown) == count;
    Require(won || freshAfterLastStage || IsFailedBoard(), "an idle board is a won, failed or freshly placed one");
}

// Changing the course during a round judges it by the other course's rules, so the
// cleared figures may be a fixed round's; still they are a real round's figures.
void CheckSnapshot() {
    const ResultSnapshot& snapshot = resultSnapshot;
    Require(snapshot.clearedCount >= 0 && snapshot.clearedCount <= MaxTargets && snapshot.clearedTime >= 0,
            "the cleared figures are a round's count and time");
    Require(snapshot.progress >= 0 && snapshot.progress <= snapshot.targetCount + 1,
            "the snapshot's progress lies within its round");
    Require(snapshot.targetCount >= 0 && snapshot.targetCount <= MaxTargets, "the snapshot's count fits the table");
}

void CheckRecords() {
    Require(roundState.stage >= 0 && roundState.stage <= LastStage, "stage lies within 0 to 28");
    Require(NestedModalCount() == 0, "no message or dialog opens inside another");
    if (roundState.targetCount > 0) {
        CheckBoard();
    }
    CheckStatesAgainstNextNumber();
    CheckSnapshot();
}

// ---- Host calls of one event -----------------------------------------------

struct CallCounts {
    std::vector<std::string> messages;
    int32_t splashes = 0;
    int32_t fixedResults = 0;
    int32_t challengeResults = 0;
    int32_t timerStarts = 0;
    int32_t lastPeriod = 0;
};

CallCounts CountCalls() {
    CallCounts counts;
    for (const HostCall& call : Calls()) {
        switch (call.kind) {
        case CallKind::Message:
            counts.messages.push_back(call.text);
            Require(call.caption == GameCaption, "every message has the game's caption");
            break;
        case CallKind::Dialog:
            counts.splashes += call.value == StageSplashTemplate ? 1 : 0;
            counts.fixedResults += call.value == FixedResultTemplate ? 1 : 0;
            counts.challengeResults += call.value == ChallengeResultTemplate ? 1 : 0;
            break;
        case CallKind::StartTimer:
            ++counts.timerStarts;
            counts.lastPeriod = call.value;
            break;
        default:
            break;
        }
    }
    return counts;
}

// An event that judges nothing opens nothing and starts no timer.
void RequireQuiet(const CallCounts& counts) {
    Require(counts.messages.empty() && counts.splashes == 0 && counts.fixedResults == 0 &&
                counts.challengeResults == 0 && counts.timerStarts == 0,
            "an event that ends no round opens nothing and starts no timer");
}

// What a press on the due target N must have led to, course by course.
void CheckCompletedRound(const CallCounts& counts) {
    ++figures.roundsCompleted;
    const RoundState& before = event.before;
    if (gameSettings.courseMode != FixedCourse && before.stage >= LastStage) {
        ++figures.challengesFinished;
        Require(counts.messages.empty() && counts.challengeResults == 1 && counts.timerStarts == 0 &&
                    counts.splashes == 0,
                "clearing the last stage opens the challenge result alone");
    } else if (gameSettings.courseMode != FixedCourse) {
        ++figures.stagesCleared;
        Require(counts.messages.size() == 1 && counts.messages[0] == Numbered(StageClearedFormat, before.stage) &&
                    counts.splashes == 1 && counts.timerStarts == 1 && counts.challengeResults == 0,
                "a cleared stage shows its message once, then the splash and the next board");
        Require(roundState.stage == before.stage + 1, "a cleared stage climbs exactly one stage");
        Require(resultSnapshot.clearedCount == before.targetCount && resultSnapshot.clearedTime == before.displayTime,
                "the cleared figures are those of the stage just cleared");
    } else if (roundState.roundsPlayed >= gameSettings.fixedTries) {
        ++figures.fixedGamesFinished;
        Require(counts.messages.empty() && counts.fixedResults == 1 && counts.timerStarts == 0,
                "the last fixed round opens the result dialog alone");
        Require(resultSnapshot.progress == before.targetCount + 1 &&
                    resultSnapshot.roundsPlayed == roundState.roundsPlayed,
                "the fixed result shows the completed round and the rounds played");
    } else {
        Require(counts.messages.size() == 1 &&
                    counts.messages[0] == Numbered(RoundClearedFormat, roundState.roundsPlayed) &&
                    counts.timerStarts == 1 && counts.fixedResults == 0,
                "a completed fixed round shows its message once and starts the next");
    }
    if (gameSettings.courseMode == FixedCourse) {
        Require(roundState.roundsPlayed == before.roundsPlayed + 1, "a completed fixed round is counted once");
    }
}

void CheckFailedRound(const CallCounts& counts) {
    ++figures.roundsFailed;
    const int32_t results = counts.fixedResults + counts.challengeResults;
    Require(counts.messages.size() == 1 && counts.messages[0] == WrongClickText && results == 1 &&
                counts.timerStarts == 0,
            "a failed round shows the wrong-click message and one result dialog");
    Require((gameSettings.courseMode == FixedCourse ? counts.fixedResults : counts.challengeResults) == 1,
            "the result dialog belongs to the course being played");
    Require(resultSnapshot.progress == event.before.nextNumber, "the snapshot holds the number that was due");
    Require(targetTable.slots[event.clickedNumber].state == Wrong &&
                targetTable.slots[event.before.nextNumber].state == Wrong,
            "the clicked and the due target are Wrong");
    Require(roundState.stage == event.before.stage, "a failed challenge stays at its stage");
}

void CheckClick(const CallCounts& counts) {
    const int32_t due = event.before.nextNumber;
    const bool inputOpen = due >= 1 && due <= event.before.targetCount;
    if (!inputOpen || !event.wasClickOnTarget) {
        RequireQuiet(counts);
        Require(roundState.nextNumber == event.before.nextNumber, "a press that hits no open target changes nothing");
        return;
    }
    if (event.clickedNumber != due) {
        CheckFailedRound(counts);
    } else if (due == event.before.targetCount) {
        CheckCompletedRound(counts);
    } else {
        RequireQuiet(counts);
        Require(roundState.nextNumber == due + 1, "a correct press makes the next number due");
        Require(resultSnapshot.progress == due && resultSnapshot.targetCount == roundState.targetCount &&
                    resultSnapshot.displayTime == roundState.displayTime &&
                    resultSnapshot.tries == gameSettings.fixedTries &&
                    resultSnapshot.roundsPlayed == roundState.roundsPlayed,
                "a correct press snapshots the number clicked and the round's figures");
    }
}

void CheckStartGame(const CallCounts& counts) {
    const bool challenge = gameSettings.courseMode != FixedCourse;
    Require(counts.messages.empty() && counts.fixedResults == 0 && counts.challengeResults == 0,
            "starting a game opens no message or result");
    Require(counts.splashes == (challenge ? 1 : 0), "only a challenge start shows the splash, once");
    Require(counts.timerStarts == 1 && counts.lastPeriod == ExpectedPeriod() && DisplayTimerRunning(),
            "a start runs the display timer for the new round's time");
    Require(resultSnapshot.targetCount == 0 && resultSnapshot.progress == 0 && resultSnapshot.roundsPlayed == 0,
            "a new game begins with a cleared snapshot");
    if (challenge) {
        const int32_t level = gameSettings.startLevel;
        const int32_t first = level == IntermediateLevel ? 7 : (level == AdvancedLevel ? 18 : 1);
        Require(roundState.stage == first, "a challenge starts at the first stage of its band");
    }
}

// ---- Events ----------------------------------------------------------------

void ChangeOneSetting() {
    ++figures.settingChanges;
    static const int32_t counts[] = {-3, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 10, 50};
    static const int32_t times[] = {-1, 0, 1, 2, 5, 10, 15, 30, 31, 1000, INT32_MAX};
    static const int32_t tries[] = {-2, 0, 1, 2, 3, 5, 10, 11};
    static const int32_t modes[] = {0, 0, 1, 1, 2, -1};
    static const int32_t levels[] = {-7, 0, 1, 2, 3, 4};
    switch (Between(0, 5)) {
    case 0: gameSettings.fixedCount = OneOf(counts); break;
    case 1: gameSettings.fixedTime = OneOf(times); break;
    case 2: gameSettings.fixedTries = OneOf(tries); break;
    case 3: gameSettings.hideColor = Between(0, 15); break;
    case 4: gameSettings.courseMode = OneOf(modes); break;
    default: gameSettings.startLevel = OneOf(levels); break;
    }
}

// While a box waits, Windows may deliver the timer and more paints to the main window.
void InterruptModalWait() {
    if (Chance(30)) {
        ++figures.modalInterruptions;
        ExpireDisplayTimer();
        JudgeRound();
        Require(roundState.nextNumber == 0 || roundState.nextNumber == 1, "input stays closed during a modal wait");
    }
}

// A press somewhere: on the due target most of the time so games go deep, else anywhere.
void PressSomewhere() {
    ++figures.clicks;
    const int32_t count = PlayableTargetCount();
    const int32_t due = roundState.nextNumber;
    int32_t x = Between(0, BoardWidth - 1);
    int32_t y = Between(BoardTop, BoardBottom - 1);
    const int32_t kind = Between(1, 100);
    const bool onDue = kind <= 88 && due >= 1 && due <= count;
    if (onDue || (kind <= 92 && count > 0)) {
        const Target& target = targetTable.slots[onDue ? due : Between(1, count)];
        x = target.column * CellSize + Between(0, CellSize - 1);
        y = target.row * CellSize + BoardTop + Between(0, CellSize - 1);
    } else if (kind <= 96) {
        static const int32_t oddX[] = {0, 639, 640, 641, 65535, 32767, 32768};
        static const int32_t oddY[] = {0, 39, 40, 519, 520, 65535, 32768};
        x = Chance(50) ? OneOf(oddX) : x;
        y = Chance(50) ? OneOf(oddY) : y;
    }
    event.wasClickOnTarget = false;
    for (int32_t number = 1; number <= count; ++number) {
        const Target& target = targetTable.slots[number];
        if (x / CellSize == target.column && y >= BoardTop && (y - BoardTop) / CellSize == target.row && x < BoardWidth) {
            event.wasClickOnTarget = true;
            event.clickedNumber = number;
        }
    }
    Press(x, y);
}

void RunEvent() {
    ForgetCalls();
    SetClock(Between(0, INT32_MAX));
    event.before = roundState;
    // Starts come often once a game has ended and seldom in the middle, so challenges reach the last stage.
    const bool idle = roundState.nextNumber == 0 && !DisplayTimerRunning();
    const int32_t kind = Between(1, 1000);
    if (roundState.targetCount == 0 || (idle && kind <= 500) || kind <= 4) {
        event.name = "start";
        if (roundState.nextNumber != 0 || DisplayTimerRunning()) {
            ++figures.interruptedGames;
        }
        ++figures.games;
        StartGame();
        CheckStartGame(CountCalls());
    } else if (kind <= 20) {
        event.name = "setting change";
        ChangeOneSetting();
        RequireQuiet(CountCalls());
    } else if (kind <= 40) {
        event.name = "repaint";
        JudgeRound();
        RequireQuiet(CountCalls());
        Require(roundState.nextNumber == event.before.nextNumber, "a repaint alone judges nothing");
    } else if (kind <= 400 && DisplayTimerRunning()) {
        event.name = "timer";
        ++figures.timerExpiries;
        ExpireDisplayTimer();
        RequireQuiet(CountCalls());
        Require(roundState.nextNumber == 1 && !DisplayTimerRunning(), "the timer's expiry opens input once");
    } else {
        event.name = "press";
        PressSomewhere();
        CheckClick(CountCalls());
    }
    ++figures.events;
    if (roundState.stage > figures.highestStage) {
        figures.highestStage = roundState.stage;
    }
    CheckRecords();
}

void PrintFigures() {
    const SoakFigures& f = figures;
    std::printf("soak: %lld games, %lld events, %lld presses, %lld timer expiries, %lld setting changes\n", f.games,
                f.events, f.clicks, f.timerExpiries, f.settingChanges);
    std::printf("soak: %lld rounds completed, %lld failed, %lld stages cleared, %lld challenges finished, "
                "%lld fixed games finished, %lld games restarted mid-round, %lld modal interruptions, highest stage %d\n",
                f.roundsCompleted, f.roundsFailed, f.stagesCleared, f.challengesFinished, f.fixedGamesFinished,
                f.interruptedGames, f.modalInterruptions, f.highestStage);
}

void InstallHost() {
    Install();
    ResetGameRecords();
    gameSettings = GameSettings{3, 10, 3, 0, 1, 1};
    for (int32_t templateId : {FixedResultTemplate, StageSplashTemplate, ChallengeResultTemplate}) {
        OnDialog(templateId, InterruptModalWait);
    }
    OnMessage([](const std::string&) { InterruptModalWait(); });
}

}  // namespace

int main(int argumentCount, char** arguments) {
    const long long games = argumentCount > 1 ? std::atoll(arguments[1]) : 2000;
    seed = argumentCount > 2 ? std::strtoull(arguments[2], nullptr, 10) : std::random_device{}();
    randomSource.seed(seed);
    std::printf("soak: seed %llu\n", seed);
    InstallHost();
    while (figures.games < games) {
        RunEvent();
    }
    PrintFigures();
    Uninstall();
    // A run that played no game, cleared no stage or failed no round proved little.
    const bool varied = figures.roundsCompleted > 0 && figures.roundsFailed > 0 && figures.stagesCleared > 0;
    std::printf("%s\n", varied ? "soak: passed" : "soak: too few kinds of event to count");
    return varied ? 0 : 1;
}
