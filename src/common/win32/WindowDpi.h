#pragma once

// The DPI a window is drawn at, which scales the program's 96-DPI pixel sizes (DpiScale.h).

#include <windows.h>

#include "common/DpiScale.h"

namespace vesk {

// GetDpiForWindow where the system has it (Windows 10 1607 and later), which gives a
// DPI-unaware program's windows 96; else the screen's LOGPIXELSY, which the system also
// gives as 96 to a program that is not DPI-aware.
int WindowDpi(HWND window);

inline DpiScale WindowScale(HWND window) {
    return DpiScale(WindowDpi(window));
}

}  // namespace vesk
