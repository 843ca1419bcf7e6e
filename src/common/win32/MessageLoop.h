#pragma once

// The program's message loop. Keys typed in a modeless dialog go to it first
// (IsDialogMessage), so Tab, Enter, Esc and the access keys work there as in a modal one.

#include <windows.h>

namespace vesk {

// true when msg was a key or mouse message for a modeless dialog of this program and the
// dialog has taken it (it must not be dispatched again).
bool RouteDialogMessage(MSG& msg);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace vesk
