// fake_player.exe: a stand-in for a media player, for tests and demonstrations.
//
//   fake_player.exe <class name> <caption> [<command file>]
//   fake_player.exe
//
// Without arguments the class name is the program file's name without its extension and
// the caption its full path, so that a test can tell which copy of the program was started.
//
// Opens a visible top-level window of the given class with the given caption and keeps it
// until the window is closed (WM_CLOSE, as the program sends at exit) or told to quit. Under
// Wine the arguments are taken in the shell's UTF-8; the window is a Unicode window, so ANSI
// readers see its caption in the system code page (Shift_JIS under ja_JP).
//
// With a command file, a driver appends commands to that file, one per line, in UTF-8:
//   caption <text>   set the window's caption ("caption" alone empties it)
//   quit             close the window and end
//   hang <ms>        stop answering messages for that long (a player that hangs), right
//                    after this command is counted as done
// Each line is carried out once, in order, within about 50 ms of being appended; a line counts
// only once its line feed is written. After each batch the tool writes the number of lines
// carried out so far to "<command file>.done" (replaced in one step; "0" as soon as the window
// exists), so a shell script can wait for it:
//
//   wine fake_player.exe Lilith "Rain - Band" cmd &
//   until [ "$(cat cmd.done 2>/dev/null)" = 0 ]; do sleep 0.05; done
//   echo "caption 夏の雨 - 青空" >>cmd
//   until [ "$(cat cmd.done)" = 1 ]; do sleep 0.05; done
//
// The exit code is 0 after a close or "quit", 2 for wrong arguments.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <utility>

#include "common/win32/WideText.h"

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMilliseconds = 50;

struct Player {
    HWND window = nullptr;
    std::wstring commandFile;
    std::string pending;          // bytes of the command file not yet carried out
    unsigned long long read = 0;  // bytes of the command file read so far
    unsigned long done = 0;
    unsigned long hangMilliseconds = 0;
    bool doneWritten = true;  // the count on file is the current one
};

Player g_player;

// Writes the count of commands carried out; false when it could not (a driver reading the
// file at that moment keeps it from being replaced), and the next poll tries again.
bool WriteDone() {
    const std::wstring target = g_player.commandFile + L".done";
    const std::wstring temporary = target + L".tmp";
    const std::string text = std::to_string(g_player.done);
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

// Reads what was appended since the last poll.
void ReadAppended() {
    HANDLE file = CreateFileW(g_player.commandFile.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    LARGE_INTEGER offset{};
    offset.QuadPart = static_cast<LONGLONG>(g_player.read);
    if (SetFilePointerEx(file, offset, nullptr, FILE_BEGIN)) {
        char buffer[4096];
        DWORD count = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &count, nullptr) && count > 0) {
            g_player.pending.append(buffer, count);
            g_player.read += count;
        }
    }
    CloseHandle(file);
}

void CarryOut(std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (line == "caption" || line.rfind("caption ", 0) == 0) {
        const std::string text = line.size() > 8 ? line.substr(8) : std::string();
        SetWindowTextW(g_player.window, vesk::Widen(text, CP_UTF8).c_str());
    } else if (line == "quit") {
        PostMessageW(g_player.window, WM_CLOSE, 0, 0);
    } else if (line.rfind("hang ", 0) == 0) {
        g_player.hangMilliseconds = std::stoul(line.substr(5));
    }
}

void Poll() {
    ReadAppended();
    const unsigned long before = g_player.done;
    for (std::size_t end = g_player.pending.find('\n'); end != std::string::npos;
         end = g_player.pending.find('\n')) {
        CarryOut(g_player.pending.substr(0, end));
        g_player.pending.erase(0, end + 1);
        ++g_player.done;
    }
    if (g_player.done != before || !g_player.doneWritten) {
        g_player.doneWritten = WriteDone();
    }
    if (g_player.hangMilliseconds > 0) {
        Sleep(std::exchange(g_player.hangMilliseconds, 0));
    }
}

LRESULT CALLBACK PlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kPollTimer) {
                Poll();
                return 0;
            }
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc == 2) {
        return 2;
    }
    std::wstring className;
    std::wstring caption;
    if (argc == 1) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        caption = path;
        const std::wstring::size_type slash = caption.find_last_of(L"\\/");
        className = caption.substr(slash == std::wstring::npos ? 0 : slash + 1);
        className = className.substr(0, className.rfind(L'.'));
    } else {
        className = argv[1];
        caption = argv[2];
    }
    if (argc > 3) {
        g_player.commandFile = argv[3];
    }
    LocalFree(argv);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = PlayerProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    if (RegisterClassExW(&windowClass) == 0) {
        return 2;
    }
    g_player.window =
        CreateWindowExW(0, className.c_str(), caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 320, 120, nullptr, nullptr, instance, nullptr);
    if (g_player.window == nullptr) {
        return 2;
    }
    ShowWindow(g_player.window, SW_SHOWNOACTIVATE);
    if (!g_player.commandFile.empty()) {
        g_player.doneWritten = WriteDone();
        SetTimer(g_player.window, kPollTimer, kPollMilliseconds, nullptr);
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
