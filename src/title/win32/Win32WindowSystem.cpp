#include "title/win32/Win32WindowSystem.h"

#include <exception>

#include "title/win32/AutomationText.h"

namespace vesk {

namespace {

struct TopLevelVisit {
    const std::function<bool(WindowHandle)>& visit;
    std::exception_ptr error;
};

// A named callback, not a lambda: on x86 a window enumeration callback is __stdcall. An
// exception must not unwind through the system's frames: it stops the enumeration and is
// thrown again once EnumWindows has returned.
BOOL CALLBACK VisitTopLevel(HWND window, LPARAM state) {
    auto& visit = *reinterpret_cast<TopLevelVisit*>(state);
    try {
        return visit.visit(ToWindowHandle(window)) ? TRUE : FALSE;
    } catch (...) {
        visit.error = std::current_exception();
        return FALSE;
    }
}

class Win32WindowSystem final : public WindowSystem {
public:
    WindowHandle FindFirstOfClass(const std::string& className) const override {
        return ToWindowHandle(FindWindowA(className.c_str(), nullptr));
    }

    void EnumerateTopLevel(const std::function<bool(WindowHandle)>& visit) const override {
        TopLevelVisit state{visit, nullptr};
        EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&state));
        if (state.error) {
            std::rethrow_exception(state.error);
        }
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

    bool IsVisible(WindowHandle window) const override {
        return IsWindowVisible(ToHwnd(window)) != FALSE;
    }

    std::optional<std::string> ReadAutomationText(
        std::string_view progId, std::span<const std::string_view> path) const override {
        return vesk::ReadAutomationText(progId, path);
    }

    AutomationTextAndNumber ReadAutomationTextAndNumber(
        std::string_view progId, std::span<const std::string_view> textPath,
        std::span<const std::string_view> numberPath) const override {
        return vesk::ReadAutomationTextAndNumber(progId, textPath, numberPath);
    }
};

}  // namespace

const WindowSystem& SystemWindowSystem() {
    static const Win32WindowSystem windowSystem;
    return windowSystem;
}

}  // namespace vesk
