#include "app/win32/VeskDriver.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "TestArguments.h"
#include "TestText.h"
#include "common/FileSystem.h"
#include "tools/WineTray.h"

namespace vesk::test {

namespace {

std::string Argument(std::size_t index) {
    const std::vector<std::string>& arguments = Arguments();
    if (index >= arguments.size()) {
        ADD_FAILURE() << "pass Vesk.exe, fake_player.exe, close_window.exe, fake_wmp_server.dll";
        return {};
    }
    char full[MAX_PATH] = {};
    GetFullPathNameA(arguments[index].c_str(), MAX_PATH, full, nullptr);
    return full;
}

struct WindowSearch {
    const char* className;
    DWORD process;  // 0: any
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    char className[256] = {};
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpA(className, search->className) == 0 &&
        (search->process == 0 || ProcessOf(window) == search->process)) {
        search->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> FindWindows(const char* className, DWORD process) {
    WindowSearch search{className, process, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::string VeskProgram() {
    return Argument(0);
}

std::string FakePlayerProgram() {
    return Argument(1);
}

std::string CloseWindowProgram() {
    return Argument(2);
}

std::string FakeWmpServerLibrary() {
    return Argument(3);
}

std::optional<DWORD> RunProgram(std::string commandLine, DWORD milliseconds) {
    ChildProcess program(std::move(commandLine));
    if (!program.Started()) {
        ADD_FAILURE() << "cannot run a program";
        return std::nullopt;
    }
    return program.WaitEnd(milliseconds, true);
}

ProgramFolder::ProgramFolder() {
    EXPECT_TRUE(CopyFileA(VeskProgram().c_str(), Program().c_str(), TRUE)) << Program();
}

std::string ProgramFolder::Write(const std::string& utf8Name,
                                 const std::string& utf8Content) const {
    const std::string path = folder_ / Ansi(utf8Name);
    EXPECT_TRUE(CurrentFileSystem().ReplaceFile(path, Ansi(utf8Content))) << path;
    return path;
}

std::string ProgramFolder::Read(const std::string& ansiName) const {
    return CurrentFileSystem().ReadFile(folder_ / ansiName).value_or("(unreadable)");
}

bool ProgramFolder::Exists(const std::string& ansiName) const {
    return GetFileAttributesA((folder_ / ansiName).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramFolder::IniValue(const std::string& section, const std::string& key) const {
    char value[1024] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "(none)", value, sizeof(value),
                             Ini().c_str());
    return value;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// The working folder is the test's own: the program finds its files by its own path.
VeskProcess::VeskProcess(const std::string& program) : process_("\"" + program + "\"", {"", true}) {
    if (!process_.Started()) {
        ADD_FAILURE() << "Vesk does not start: " << program;
    }
}

DWORD VeskProcess::ProgramsStarted() const {
    const std::optional<DWORD> started = process_.ProgramsStarted();
    if (!started) {
        ADD_FAILURE() << "the job of Vesk cannot be read";
    }
    return started.value_or(0);
}

VeskProcess::~VeskProcess() {
    if (process_.Running()) {
        ADD_FAILURE() << "Vesk was still running at the end of the test";
    }
}

bool VeskProcess::WaitReady() {
    if (!process_.Started()) {
        return false;
    }
    const bool started = PumpUntil(
        [&] {
            if (!process_.Running() || MainForm() == nullptr) {
                return !process_.Running();
            }
            const std::vector<std::wstring> tips = TrayTips();
            return std::find(tips.begin(), tips.end(), kReadyTip) != tips.end();
        },
        30000);
    return started && process_.Running() && WaitForInputIdle(process_.Handle(), 10000) == 0;
}

HWND VeskProcess::Window(const char* className) const {
    const std::vector<HWND> windows = Windows(className);
    return windows.empty() ? nullptr : windows.front();
}

std::vector<HWND> VeskProcess::Windows(const char* className) const {
    return FindWindows(className, process_.Id());
}

std::optional<DWORD> VeskProcess::Exit(DWORD milliseconds) {
    if (HWND form = MainForm()) {
        PostMessageA(form, WM_CLOSE, 0, 0);
    }
    return WaitEnd(milliseconds);
}

std::optional<DWORD> VeskProcess::WaitEnd(DWORD milliseconds) {
    return process_.WaitEnd(milliseconds, true);
}

std::vector<HWND> WindowsOfClass(const char* className) {
    return FindWindows(className, 0);
}

std::vector<HWND> OtherProcessesWindows(const char* className) {
    std::vector<HWND> windows = FindWindows(className, 0);
    std::erase_if(windows, [](HWND window) { return ProcessOf(window) == GetCurrentProcessId(); });
    return windows;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

std::string CaptionOf(HWND window) {
    char caption[1024] = {};
    GetWindowTextA(window, caption, sizeof(caption));
    return caption;
}

HWND WaitVeskDialog(const VeskProcess& vesk, const std::string& caption, DWORD milliseconds) {
    HWND found = nullptr;
    PumpUntil(
        [&] {
            for (HWND window : WindowsOfClass("#32770")) {
                if (ProcessOf(window) == vesk.Id() && IsWindowVisible(window) &&
                    CaptionOf(window) == caption) {
                    found = window;
                }
            }
            return found != nullptr;
        },
        milliseconds);
    return found;
}

namespace {

BOOL CALLBACK FindControl(HWND window, LPARAM found) {
    auto* search = reinterpret_cast<std::pair<int, HWND>*>(found);
    if (GetDlgCtrlID(window) == search->first) {
        search->second = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND ControlOf(HWND window, int id) {
    std::pair<int, HWND> search{id, nullptr};
    EnumChildWindows(window, FindControl, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::string ControlText(HWND window, int id) {
    char text[4096] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(ControlOf(window, id), WM_GETTEXT, sizeof(text),
                        reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &ignored);
    return text;
}

void SetControlText(HWND window, int id, const std::string& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(ControlOf(window, id), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 5000, &ignored);
}

std::vector<DWORD> ProcessesNamed(const char* exeName) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "no process list";
        return ids;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName) == 0) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return ids;
}

void EndProcesses(const std::vector<DWORD>& ids) {
    for (DWORD id : ids) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

ScreenPicture PictureOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return CaptureScreen(rect);
}

bool SamePicture(const ScreenPicture& a, const ScreenPicture& b) {
    return a.width == b.width && a.height == b.height && a.rgb == b.rgb;
}

void SaveForInspection(const ScreenPicture& picture, const std::string& name) {
    const std::string path = "app_e2e_" + name + ".png";
    if (SavePng(picture, path)) {
        std::printf("picture saved: %s\n", path.c_str());
    }
}

}  // namespace vesk::test
