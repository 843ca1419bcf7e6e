#include "common/win32/WindowDpi.h"

#include "common/win32/LateBound.h"
#include "common/win32/WinHandles.h"

namespace vesk {

int WindowDpi(HWND window) {
    // Declared here: the SDK declares it only for programs that require Windows 10.
    using GetDpiForWindowFunction = UINT WINAPI(HWND);
    static const auto getDpiForWindow =
        LateBound<GetDpiForWindowFunction>(kUser32, "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    const WindowDc screen(nullptr);
    const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace vesk
