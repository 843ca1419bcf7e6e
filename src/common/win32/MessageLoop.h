#pragma once

// The program's message loop. Keys typed in a modeless dialog go to it first
// (IsDialogMessage), so Tab, Enter, Esc and the access keys work there as in a modal one.

#include <windows.h>

#include <functional>

namespace vesk {

// true when msg was a key or mouse message for a modeless dialog of this program and the
// dialog has taken it (it must not be dispatched again).
bool RouteDialogMessage(MSG& msg);

// Runs until WM_QUIT; returns its exit code. Beside the messages it waits on the handles of
// the LoopWaits that exist, so that a change notification costs nothing until it comes.
int RunMessageLoop();

// A handle the message loop of this thread waits on while this object lives, and what it
// does each time the handle is signalled (it must make the handle wait again, or the loop
// calls it over and over). Made before the loop runs or from a message it dispatches.
class LoopWait {
public:
    LoopWait(HANDLE handle, std::function<void()> signalled);
    ~LoopWait();
    LoopWait(const LoopWait&) = delete;
    LoopWait& operator=(const LoopWait&) = delete;

private:
    friend int RunMessageLoop();
    HANDLE handle_;
    std::function<void()> signalled_;
};

}  // namespace vesk
