#include "title/win32/Win32WindowSystem.h"

#include "title/win32/AutomationText.h"

namespace vesk {

namespace {

// A named callback, not a lambda: on x86 a window enumeration callback is __stdcall.
BOOL CALLBACK VisitTopLevel(HWND window, LPARAM visitor) {
    const auto& next = *reinterpret_cast<const std::function<bool(WindowHandle)>*>(visitor);
    return next(ToWindowHandle(window)) ? TRUE : FALSE;
}

class Win32WindowSystem final : public WindowSystem {
public:
    WindowHandle FindFirstOfClass(const std::string& className) const override {
        return ToWindowHandle(FindWindowA(className.c_str(), nullptr));
    }

    void EnumerateTopLevel(const std::function<bool(WindowHandle)>& visit) const override {
        EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&visit));
    }

    int ReadClassName(WindowHandle window, char* buffer, int size) const override {
        return GetClassNameA(ToHwnd(window), buffer, size);
    }

    int CaptionLength(WindowHandle window) const override {
        return GetWindowTextLengthA(ToHwnd(window));
    }

    int ReadCaption(WindowHandle window, char* buffer, int size) const override {
        return GetWindowTextA(ToHwnd(window), buffer, size);
    }

    WindowHandle OwnerOf(WindowHandle window) const override {
        return ToWindowHandle(GetWindow(ToHwnd(window), GW_OWNER));
    }

    std::optional<std::string> ReadAutomationText(
        std::string_view progId, std::span<const std::string_view> path) const override {
        return vesk::ReadAutomationText(progId, path);
    }
};

}  // namespace

const WindowSystem& SystemWindowSystem() {
    static const Win32WindowSystem windowSystem;
    return windowSystem;
}

}  // namespace vesk
