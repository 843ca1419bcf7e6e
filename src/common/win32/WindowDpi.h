#pragma once

// The DPI a window is drawn at, which scales the program's 96-DPI pixel sizes (DpiScale.h),
// and the system's measures at that DPI. The program is aware of each monitor's DPI: a window
// is drawn at its monitor's, and WM_DPICHANGED tells it when that changes. Where the system
// lacks the functions of per-monitor DPI, the system's DPI serves for every window.

#include <windows.h>

#include "common/DpiScale.h"

namespace vesk {

// GetDpiForWindow where the system has it (Windows 10 1607 and later); else the screen's
// LOGPIXELSY, the system's DPI.
int WindowDpi(HWND window);

inline DpiScale WindowScale(HWND window) {
    return DpiScale(WindowDpi(window));
}

// GetSystemMetrics at a DPI (SM_CXSMICON, ...): GetSystemMetricsForDpi where the system has
// it, else the system's measure scaled from the system's DPI.
int SystemMetricAtDpi(int index, int dpi);

// AdjustWindowRectEx for a window at a DPI (its frame's measures are the DPI's).
void AdjustWindowRectAtDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

// What a child window gets after its top-level window's WM_DPICHANGED (declared by the SDK
// only for programs that require Windows 10).
inline constexpr UINT kWmDpiChangedAfterParent = 0x02E3;

// WM_DPICHANGED: the window's new DPI and the rectangle the system suggests for it.
struct DpiChange {
    int dpi;
    RECT suggested;
};
inline DpiChange DpiChangeOf(WPARAM wParam, LPARAM lParam) {
    return {LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)};
}

}  // namespace vesk
