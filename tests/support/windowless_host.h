// A GameHost without windows: records every call the core makes and behaves as the
// Win32 front end does around modal waits, so whole games can be replayed in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "game_host.h"

namespace WindowlessHost {

enum class CallKind { Message, Dialog, StartTimer, StopTimer, Repaint };

// One host call as the core made it: a message's text and caption as their exact
// bytes, a dialog's template id, or a timer period in milliseconds.
struct HostCall {
    CallKind kind;
    std::string text;
    std::string caption;
    int32_t value = 0;

    bool operator==(const HostCall& other) const;
};

HostCall Message(const std::string& text, const std::string& caption);
HostCall Dialog(int32_t templateId);
HostCall StartTimer(int32_t periodMilliseconds);
HostCall StopTimer();
HostCall Repaint();

// Readable in test failures: bytes outside printable ASCII appear as \xNN.
void PrintTo(const HostCall& call, std::ostream* out);

// Installs this host in the core, forgets every recorded call and dialog action,
// stops the timer and fixes the calendar clock at 0.
void Install();
// Removes the host from the core and gives it back the real clock.
void Uninstall();
// Puts the four game records back to their start-up zeros.
void ResetGameRecords();

const std::vector<HostCall>& Calls();
void ForgetCalls();

// Runs inside runDialog for that template, while the dialog would be open.
void OnDialog(int32_t templateId, std::function<void()> action);
// Runs inside showMessage with the message's text.
void OnMessage(std::function<void(const std::string& text)> action);

// Seconds since 1970 that the core's placement reads.
void SetClock(int64_t seconds);

// The display timer as Windows would keep it.
bool DisplayTimerRunning();
int32_t DisplayTimerPeriod();
// Delivers the timer's expiry; returns false, doing nothing, when it is not running.
bool ExpireDisplayTimer();

// What the front end does for a left-button press: judge it, then repaint.
void Press(int32_t x, int32_t y);
// Presses the middle of target number's cell.
void PressTarget(int32_t number);

// How often a message or dialog opened while another was still open; the
// core's flow never nests them, so any count above 0 is a fault.
int32_t NestedModalCount();

}  // namespace WindowlessHost
