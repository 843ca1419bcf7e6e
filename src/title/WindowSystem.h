#pragma once

// What the player search and the class search need of the window system: top-level windows
// found by class, listed front to back, and their class names, captions, owners and
// visibility, plus the one
// automation read that builds the Windows Media Player caption. The search logic runs
// against this interface, so it is the same with real windows and with a test's list.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vesk {

// A window handle as the logic sees it: opaque, 0 for no window (an HWND on Win32).
enum class WindowHandle : std::uintptr_t {};
inline constexpr WindowHandle kNoWindow{};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The first top-level window, front to back, whose class is className, with the
    // system's class-name matching (it ignores letter case); kNoWindow when there is none.
    // FindWindowA(className, nullptr) on Win32.
    virtual WindowHandle FindFirstOfClass(const std::string& className) const = 0;

    // Hands every top-level window, visible or not, owned or not, to visit, front to back,
    // until visit returns false. EnumWindows on Win32.
    virtual void EnumerateTopLevel(const std::function<bool(WindowHandle)>& visit) const = 0;

    // Copies the window's class name into buffer as GetClassNameA does: at most size - 1
    // bytes and a terminating zero; returns the number of bytes copied (0 on failure).
    virtual int ReadClassName(WindowHandle window, char* buffer, int size) const = 0;

    // The caption's length in bytes as GetWindowTextLengthA gives it (0 when none).
    virtual int CaptionLength(WindowHandle window) const = 0;

    // Copies the caption into buffer as GetWindowTextA does: at most size - 1 bytes and a
    // terminating zero; returns the number of bytes copied (0 when none or on failure).
    virtual int ReadCaption(WindowHandle window, char* buffer, int size) const = 0;

    // The window's owner (GetWindow with GW_OWNER); kNoWindow when it has none.
    virtual WindowHandle OwnerOf(WindowHandle window) const = 0;

    // Whether the window is shown (IsWindowVisible on Win32).
    virtual bool IsVisible(WindowHandle window) const = 0;

    // Creates the automation object of progId, reads the chain of properties named in
    // path (each one of the object the previous read gave) and returns the last value as
    // text; nullopt when the server is missing or any step fails. Every object is released
    // before it returns.
    virtual std::optional<std::string> ReadAutomationText(
        std::string_view progId, std::span<const std::string_view> path) const = 0;

    // Two chains read from the same automation object of progId, one made for both: the
    // last value of textPath as text, that of numberPath as a number; each nullopt when its
    // chain fails, both when the server is missing. This base reads the text alone.
    struct AutomationTextAndNumber {
        std::optional<std::string> text;
        std::optional<double> number;
    };
    virtual AutomationTextAndNumber ReadAutomationTextAndNumber(
        std::string_view progId, std::span<const std::string_view> textPath,
        std::span<const std::string_view> numberPath) const {
        static_cast<void>(numberPath);
        return {ReadAutomationText(progId, textPath), std::nullopt};
    }
};

// The running system's windows: Win32 in the Windows build; natively a desktop without
// windows or automation servers.
const WindowSystem& SystemWindowSystem();

// The window system the program uses: the system's, unless a test has put another in place.
const WindowSystem& CurrentWindowSystem();

class ScopedWindowSystem {
public:
    explicit ScopedWindowSystem(const WindowSystem& windowSystem);
    ~ScopedWindowSystem();
    ScopedWindowSystem(const ScopedWindowSystem&) = delete;
    ScopedWindowSystem& operator=(const ScopedWindowSystem&) = delete;

private:
    const WindowSystem* previous_;
};

}  // namespace vesk
