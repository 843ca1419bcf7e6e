#pragma once

// The Win32 side of the notification-area icon: the hidden window of class
// "TaskTrayHandle" that owns the icon and receives the shell's notifications, the
// process-wide list that routes the hidden windows' messages to their icons, and the
// shell version test.

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "shell/TrShlApi.h"

namespace vesk {

inline constexpr char kTrayWindowClass[] = "TaskTrayHandle";

// (major << 16) | minor of shell32.dll: DllGetVersion, or when shell32.dll cannot be
// loaded or has no DllGetVersion, its FileVersion string.
std::uint32_t GetShellVersion();
// The FileVersion string (first translation) of shell32.dll in the system folder, read
// as a shell version; 0 when it cannot be read.
std::uint32_t ShellVersionFromFileResource();

// All hidden windows of the process and the icons they serve. The window class and the
// "TaskbarCreated" message are registered when the first window is made; the class is
// unregistered when the last one goes.
class TTrayIconWinProcList {
public:
    // Creates a hidden window that routes its messages to no icon yet.
    static HWND CreateHiddenWindow();
    // From now on the window's messages go to icon (nullptr: default handling).
    static void Attach(HWND window, TTaskTrayIcon* icon);
    // Destroys the window and takes it out of the list.
    static void DestroyHiddenWindow(HWND window);
    static UINT TaskbarCreatedMessage();
    static std::size_t Count();

private:
    TTrayIconWinProcList();
    ~TTrayIconWinProcList();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<std::pair<HWND, TTaskTrayIcon*>> entries_;
    UINT taskbarCreated_ = 0;
};

// The hidden window as the icon's shell: every TrayShell call concerns this window.
class HiddenTrayWindow final : public TrayShell {
public:
    HiddenTrayWindow() : hwnd_(TTrayIconWinProcList::CreateHiddenWindow()) {}
    ~HiddenTrayWindow() override { TTrayIconWinProcList::DestroyHiddenWindow(hwnd_); }
    HiddenTrayWindow(const HiddenTrayWindow&) = delete;
    HiddenTrayWindow& operator=(const HiddenTrayWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    void Attach(TTaskTrayIcon* icon) { TTrayIconWinProcList::Attach(hwnd_, icon); }

    bool NotifyIcon(NotifyIconAction action, const NotifyIconRecord& record) override;
    std::uint32_t LastError() const override { return lastError_; }
    void BringToForeground() override { SetForegroundWindow(hwnd_); }
    TrayPoint CursorPos() override;
    std::uint32_t DoubleClickTime() override { return GetDoubleClickTime(); }
    void SetTimer(std::uintptr_t id, std::uint32_t milliseconds) override {
        ::SetTimer(hwnd_, id, milliseconds, nullptr);
    }
    void KillTimer(std::uintptr_t id) override { ::KillTimer(hwnd_, id); }
    void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }
    std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) override {
        return SendMessageA(hwnd_, message, wParam, lParam);
    }
    void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        PostMessageA(hwnd_, message, wParam, lParam);
    }
    std::intptr_t DefaultHandling(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override {
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
    std::uint32_t TaskbarCreatedMessage() const override {
        return TTrayIconWinProcList::TaskbarCreatedMessage();
    }

private:
    HWND hwnd_;
    std::uint32_t lastError_ = 0;
};

}  // namespace vesk
