#pragma once

// Reading the notification area of the test session: Wine's explorer shows the icons of a
// display without a tray of its own in a standalone tray window, one child window per icon,
// and keeps each icon's tip in a tooltip control of its own process.

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

namespace vesk::test {

inline constexpr char kStandaloneTrayClass[] = "__winex11_standalone_tray";

// The icons that the shell shows: the visible icon windows of Wine's tray window.
inline std::vector<HWND> TrayIconWindows() {
    std::vector<HWND> icons;
    HWND tray = FindWindowA(kStandaloneTrayClass, nullptr);
    if (tray == nullptr || !IsWindowVisible(tray)) {
        return icons;
    }
    for (HWND child = FindWindowExA(tray, nullptr, nullptr, nullptr); child != nullptr;
         child = FindWindowExA(tray, child, nullptr, nullptr)) {
        if (IsWindowVisible(child)) {
            icons.push_back(child);
        }
    }
    return icons;
}

// Whether the shell still knows an icon of this window (a modify that changes nothing).
inline bool ShellKnowsIcon(HWND window, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

namespace detail {

struct FindTooltips {
    DWORD process;
    std::vector<HWND> found;
};

inline BOOL CALLBACK CollectTooltip(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<FindTooltips*>(lParam);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && lstrcmpA(className, TOOLTIPS_CLASSA) == 0) {
        search->found.push_back(window);
    }
    return TRUE;
}

// TTTOOLINFOW as a 64-bit process lays it out: what a 32-bit test writes for a 64-bit shell
// (WoW64), whose tooltip reads the record with its own layout.
struct ToolInfo64 {
    UINT cbSize;
    UINT uFlags;
    UINT64 hwnd;
    UINT64 uId;
    RECT rect;
    UINT64 hinst;
    UINT64 lpszText;
    UINT64 lParam;
    UINT64 lpReserved;
};
static_assert(sizeof(ToolInfo64) == 72, "TTTOOLINFOW of a 64-bit process");

// Whether the shell's process is 64-bit while this one runs 32-bit under WoW64.
inline bool ShellIsWider(HANDLE shell) {
    BOOL selfWow64 = FALSE;
    BOOL shellWow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &selfWow64) && selfWow64 &&
           IsWow64Process(shell, &shellWow64) && !shellWow64;
}

// Writes the tool record that asks for the tip of an icon window into the shell's buffer.
inline void WriteToolInfo(HANDLE shell, char* remote, HWND iconWindow, char* remoteText) {
    SIZE_T done = 0;
    if (ShellIsWider(shell)) {
        ToolInfo64 info{};
        info.cbSize = sizeof(info);
        info.hwnd = reinterpret_cast<UINT_PTR>(iconWindow);
        info.uId = reinterpret_cast<UINT_PTR>(iconWindow);
        info.lpszText = reinterpret_cast<UINT_PTR>(remoteText);
        WriteProcessMemory(shell, remote, &info, sizeof(info), &done);
        return;
    }
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = iconWindow;
    info.uId = reinterpret_cast<UINT_PTR>(iconWindow);
    info.lpszText = reinterpret_cast<wchar_t*>(remoteText);
    WriteProcessMemory(shell, remote, &info, sizeof(info), &done);
}

}  // namespace detail

// The tip the shell shows for an icon window: asked from the shell's tooltip, which lives
// in the shell's process, through a buffer in that process.
inline std::optional<std::wstring> TipOfTrayIcon(HWND iconWindow) {
    DWORD process = 0;
    GetWindowThreadProcessId(iconWindow, &process);
    HANDLE shell = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                   PROCESS_QUERY_LIMITED_INFORMATION,
                               FALSE, process);
    if (shell == nullptr) {
        return std::nullopt;
    }
    constexpr SIZE_T kTextOffset = 1024;
    constexpr SIZE_T kTextChars = 512;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(shell, nullptr, kTextOffset + kTextChars * 2, MEM_COMMIT, PAGE_READWRITE));
    std::optional<std::wstring> tip;
    detail::FindTooltips search{process, {}};
    EnumWindows(detail::CollectTooltip, reinterpret_cast<LPARAM>(&search));
    for (HWND tooltip : search.found) {
        detail::WriteToolInfo(shell, remote, iconWindow, remote + kTextOffset);
        std::vector<wchar_t> text(kTextChars, L'\0');
        SIZE_T done = 0;
        WriteProcessMemory(shell, remote + kTextOffset, text.data(), text.size() * 2, &done);
        SendMessageW(tooltip, TTM_GETTEXTW, kTextChars, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(shell, remote + kTextOffset, text.data(), (text.size() - 1) * 2, &done);
        if (text[0] != L'\0') {
            tip = std::wstring(text.data());
            break;
        }
    }
    VirtualFreeEx(shell, remote, 0, MEM_RELEASE);
    CloseHandle(shell);
    return tip;
}

// The tips of all icons that the shell shows, in the tray's order.
inline std::vector<std::wstring> TrayTips() {
    std::vector<std::wstring> tips;
    for (HWND icon : TrayIconWindows()) {
        tips.push_back(TipOfTrayIcon(icon).value_or(L""));
    }
    return tips;
}

}  // namespace vesk::test
