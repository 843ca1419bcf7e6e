#include "shell/win32/Win32TrShlApi.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "common/win32/ErrorReport.h"
#include "common/win32/WinHandles.h"
#include "common/win32/Window.h"

namespace vesk {

// The icon's messages, record flags and states pass between the portable code and the
// system as they are.
static_assert(kWmQueryEndSession == WM_QUERYENDSESSION && kWmTimer == WM_TIMER);
static_assert(kWmMouseMove == WM_MOUSEMOVE && kWmLButtonDown == WM_LBUTTONDOWN &&
              kWmLButtonUp == WM_LBUTTONUP && kWmLButtonDblClk == WM_LBUTTONDBLCLK);
static_assert(kWmRButtonDown == WM_RBUTTONDOWN && kWmRButtonUp == WM_RBUTTONUP &&
              kWmRButtonDblClk == WM_RBUTTONDBLCLK);
static_assert(kWmMButtonDown == WM_MBUTTONDOWN && kWmMButtonUp == WM_MBUTTONUP &&
              kWmMButtonDblClk == WM_MBUTTONDBLCLK);
static_assert(kNifMessage == NIF_MESSAGE && kNifIcon == NIF_ICON && kNifTip == NIF_TIP &&
              kNifState == NIF_STATE);
static_assert(kNisHidden == NIS_HIDDEN && kNisSharedIcon == NIS_SHAREDICON);
static_assert(kErrorTimeout == ERROR_TIMEOUT);

namespace {

TTrayIconWinProcList* g_list = nullptr;

template <class Function>
Function ProcAddress(HMODULE module, const char* name) {
    // GetProcAddress hands every export out as one function type.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

std::uint32_t ShellVersionFromFileResource() {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 0;
    }
    const std::string path = std::string(folder) + "\\shell32.dll";
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) {
        return 0;
    }
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) {
        return 0;
    }
    struct Translation {
        WORD language;
        WORD codePage;
    };
    void* value = nullptr;
    UINT valueSize = 0;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &value, &valueSize) ||
        valueSize < sizeof(Translation)) {
        return 0;
    }
    const auto* first = static_cast<const Translation*>(value);
    char key[64];
    std::snprintf(key, sizeof(key), "\\StringFileInfo\\%04x%04x\\FileVersion", first->language,
                  first->codePage);
    if (!VerQueryValueA(data.data(), key, &value, &valueSize) || valueSize == 0) {
        return 0;
    }
    return ShellVersionFromFileVersion(static_cast<const char*>(value));
}

std::uint32_t GetShellVersion() {
    const ModuleHandle shell(LoadLibraryA("shell32.dll"));
    if (shell) {
        const auto getVersion = ProcAddress<DLLGETVERSIONPROC>(shell.Get(), "DllGetVersion");
        if (getVersion != nullptr) {
            DLLVERSIONINFO info{};
            info.cbSize = sizeof(info);
            getVersion(&info);
            return (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
        }
    }
    return ShellVersionFromFileResource();
}

TTrayIconWinProcList::TTrayIconWinProcList() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ProgramInstance();
    windowClass.hIcon = LoadIconA(ProgramInstance(), "MAINICON");
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kTrayWindowClass;
    RegisterClassExA(&windowClass);
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

TTrayIconWinProcList::~TTrayIconWinProcList() {
    UnregisterClassA(kTrayWindowClass, ProgramInstance());
}

HWND TTrayIconWinProcList::CreateHiddenWindow() {
    if (g_list == nullptr) {
        g_list = new TTrayIconWinProcList();
    }
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kTrayWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, ProgramInstance(), nullptr);
    // Listed even when creation failed, so that the list lives as long as its users.
    g_list->entries_.emplace_back(window, nullptr);
    return window;
}

void TTrayIconWinProcList::Attach(HWND window, TTaskTrayIcon* icon) {
    if (g_list == nullptr) {
        return;
    }
    for (auto& entry : g_list->entries_) {
        if (entry.first == window) {
            entry.second = icon;
        }
    }
}

void TTrayIconWinProcList::DestroyHiddenWindow(HWND window) {
    if (g_list == nullptr) {
        return;
    }
    auto& entries = g_list->entries_;
    auto it = std::find_if(entries.begin(), entries.end(),
                           [window](const auto& entry) { return entry.first == window; });
    if (it == entries.end()) {
        return;
    }
    // Out of the list first: the messages of the destruction get default handling.
    entries.erase(it);
    if (window != nullptr) {
        DestroyWindow(window);
    }
    if (entries.empty()) {
        delete g_list;
        g_list = nullptr;
    }
}

UINT TTrayIconWinProcList::TaskbarCreatedMessage() {
    return g_list != nullptr ? g_list->taskbarCreated_ : 0;
}

std::size_t TTrayIconWinProcList::Count() {
    return g_list != nullptr ? g_list->entries_.size() : 0;
}

LRESULT CALLBACK TTrayIconWinProcList::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
    TTaskTrayIcon* icon = nullptr;
    if (g_list != nullptr) {
        for (const auto& entry : g_list->entries_) {
            if (entry.first == hwnd) {
                icon = entry.second;
                break;
            }
        }
    }
    if (icon == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    try {
        return icon->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ReportError(hwnd, error);
        return 0;
    }
}

bool HiddenTrayWindow::NotifyIcon(NotifyIconAction action, const NotifyIconRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = record.shell5Layout ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = hwnd_;
    data.uID = record.id;
    data.uFlags = record.flags;
    data.uCallbackMessage = record.callbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.icon);
    // The original record has room for 64 bytes of tip, the later one for 128.
    const std::size_t tipRoom = record.shell5Layout ? sizeof(data.szTip) : 64;
    const std::size_t tipSize = std::min(record.tip.size(), tipRoom - 1);
    std::memcpy(data.szTip, record.tip.data(), tipSize);
    if (record.shell5Layout) {
        data.dwState = record.state;
        data.dwStateMask = record.stateMask;
        data.dwInfoFlags = record.infoFlags;
    }
    const bool done = Shell_NotifyIconA(static_cast<DWORD>(action), &data) != FALSE;
    lastError_ = done ? 0 : GetLastError();
    return done;
}

TrayPoint HiddenTrayWindow::CursorPos() {
    POINT point{};
    GetCursorPos(&point);
    return TrayPoint{point.x, point.y};
}

}  // namespace vesk
