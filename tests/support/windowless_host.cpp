// The windowless GameHost: a call log, a modelled display timer and nested repaints during modal waits.
#include "windowless_host.h"

#include <cstdio>
#include <map>
#include <utility>

#include "game_state.h"

namespace WindowlessHost {
namespace {
std::vector<HostCall> calls;
std::map<int32_t, std::function<void()>> dialogActions;
std::function<void(const std::string&)> messageAction;
int64_t clockSeconds = 0;
bool timerRunning = false;
int32_t timerPeriod = 0;
int32_t modalDepth = 0;
int32_t nestedModals = 0;

int64_t ReadClock() {
    return clockSeconds;
}

// Windows keeps painting the main window while a modal box waits; each of
// those paints ends in JudgeRound, before and after the player's action.
// A box opened inside another is counted and left without paints, so a core
// that judges twice shows up in the log instead of recursing without end.
void WaitModally(const std::function<void()>& action) {
    if (modalDepth > 0) {
        ++nestedModals;
        return;
    }
    ++modalDepth;
    JudgeRound();
    if (action) {
        action();
    }
    JudgeRound();
    --modalDepth;
}

void HostShowMessage(const char* text, const char* caption) {
    calls.push_back(Message(text, caption));
    const std::string shown = text;
    WaitModally([shown] {
        if (messageAction) {
            messageAction(shown);
        }
    });
}

void HostRunDialog(int32_t templateId) {
    calls.push_back(Dialog(templateId));
    const auto found = dialogActions.find(templateId);
    WaitModally(found != dialogActions.end() ? found->second : std::function<void()>());
}

void HostStartDisplayTimer(int32_t periodMilliseconds) {
    calls.push_back(StartTimer(periodMilliseconds));
    timerRunning = true;
    timerPeriod = periodMilliseconds;
}

void HostStopDisplayTimer() {
    calls.push_back(StopTimer());
    timerRunning = false;
}

void HostRepaint() {
    calls.push_back(Repaint());
    JudgeRound();
}

const GameHost windowlessGameHost = {
    HostShowMessage, HostRunDialog, HostStartDisplayTimer, HostStopDisplayTimer, HostRepaint,
};
}  // namespace

bool HostCall::operator==(const HostCall& other) const {
    return kind == other.kind && text == other.text && caption == other.caption && value == other.value;
}

HostCall Message(const std::string& text, const std::string& caption) {
    return HostCall{CallKind::Message, text, caption, 0};
}

HostCall Dialog(int32_t templateId) {
    return HostCall{CallKind::Dialog, "", "", templateId};
}

HostCall StartTimer(int32_t periodMilliseconds) {
    return HostCall{CallKind::StartTimer, "", "", periodMilliseconds};
}

HostCall StopTimer() {
    return HostCall{CallKind::StopTimer, "", "", 0};
}

HostCall Repaint() {
    return HostCall{CallKind::Repaint, "", "", 0};
}

namespace {
void PrintBytes(const std::string& bytes, std::ostream* out) {
    for (const char character : bytes) {
        const auto byte = static_cast<unsigned char>(character);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            *out << character;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            *out << escaped;
        }
    }
}
}  // namespace

void PrintTo(const HostCall& call, std::ostream* out) {
    switch (call.kind) {
    case CallKind::Message:
        *out << "Message(\"";
        PrintBytes(call.text, out);
        *out << "\", \"";
        PrintBytes(call.caption, out);
        *out << "\")";
        break;
    case CallKind::Dialog:
        *out << "Dialog(" << call.value << ")";
        break;
    case CallKind::StartTimer:
        *out << "StartTimer(" << call.value << ")";
        break;
    case CallKind::StopTimer:
        *out << "StopTimer()";
        break;
    case CallKind::Repaint:
        *out << "Repaint()";
        break;
    }
}

void Install() {
    calls.clear();
    dialogActions.clear();
    messageAction = nullptr;
    clockSeconds = 0;
    timerRunning = false;
    timerPeriod = 0;
    modalDepth = 0;
    nestedModals = 0;
    SetCalendarClock(ReadClock);
    SetGameHost(&windowlessGameHost);
}

void Uninstall() {
    SetGameHost(nullptr);
    SetCalendarClock(nullptr);
}

void ResetGameRecords() {
    gameSettings = GameSettings{};
    roundState = RoundState{};
    resultSnapshot = ResultSnapshot{};
    ClearTargetTable();
}

const std::vector<HostCall>& Calls() {
    return calls;
}

void ForgetCalls() {
    calls.clear();
}

void OnDialog(int32_t templateId, std::function<void()> action) {
    dialogActions[templateId] = std::move(action);
}

void OnMessage(std::function<void(const std::string& text)> action) {
    messageAction = std::move(action);
}

void SetClock(int64_t seconds) {
    clockSeconds = seconds;
}

bool DisplayTimerRunning() {
    return timerRunning;
}

int32_t DisplayTimerPeriod() {
    return timerPeriod;
}

bool ExpireDisplayTimer() {
    if (!timerRunning) {
        return false;
    }
    EndDisplayTime();
    return true;
}

void Press(int32_t x, int32_t y) {
    JudgeClick(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    HostRepaint();
}

void PressTarget(int32_t number) {
    const Target& target = targetTable.slots[number];
    Press(target.column * CellSize + CellSize / 2, target.row * CellSize + BoardTop + CellSize / 2);
}

int32_t NestedModalCount() {
    return nestedModals;
}

}  // namespace WindowlessHost
