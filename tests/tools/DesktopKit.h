#pragma once

// What the Win32 tests do on the desktop: handle messages while they wait, put text on the
// clipboard, and answer message boxes from a second thread after reading them.

#include <windows.h>

#include <functional>
#include <future>
#include <string>

namespace vesk::test {

// Handles the messages that arrive until done() holds or the time is up; whether it held.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 3000);

// Handles the messages that arrive for about that long.
void Pump(DWORD milliseconds);

// The clipboard holds text (CF_TEXT, ANSI) and nothing else; false when it could not be set.
[[nodiscard]] bool PutTextOnClipboard(const std::string& text);

struct BoxSeen {
    bool found = false;
    std::string text;        // the box's message (its longest static text)
    bool hasCancel = false;  // whether it has a Cancel button
};

// Waits for a visible message box of this desktop with the caption, reads it, waits
// delayMs with the box open, then presses the button.
std::future<BoxSeen> AnswerBox(const std::string& caption, int button, int delayMs = 0);

}  // namespace vesk::test
