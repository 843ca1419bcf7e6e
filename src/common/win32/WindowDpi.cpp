#include "common/win32/WindowDpi.h"

#include "common/win32/LateBound.h"
#include "common/win32/WinHandles.h"

namespace vesk {

namespace {

// The DPI of the screen's device context: the system's, which does not follow a monitor.
int SystemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

// The functions of per-monitor DPI are declared here: the SDK declares them only for
// programs that require Windows 10.
int WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT WINAPI(HWND);
    static const auto getDpiForWindow =
        LateBound<GetDpiForWindowFunction>(kUser32, "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

int SystemMetricAtDpi(int index, int dpi) {
    using GetSystemMetricsForDpiFunction = int WINAPI(int, UINT);
    static const auto getSystemMetricsForDpi =
        LateBound<GetSystemMetricsForDpiFunction>(kUser32, "GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi != nullptr) {
        return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    }
    return DpiScale(dpi).From(DpiScale(SystemDpi()), GetSystemMetrics(index));
}

void AdjustWindowRectAtDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
    using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        LateBound<AdjustWindowRectExForDpiFunction>(kUser32, "AdjustWindowRectExForDpi");
    if (adjustForDpi == nullptr ||
        !adjustForDpi(&rect, style, menu ? TRUE : FALSE, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&rect, style, menu ? TRUE : FALSE, exStyle);
    }
}

}  // namespace vesk
