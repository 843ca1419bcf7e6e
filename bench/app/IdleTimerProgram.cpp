// idle_timer_program.exe: the reference for Vesk's cost at rest. The least a Win32 program
// with a 1000 ms timer can be: a hidden window, a timer that does nothing and the message
// loop. WM_CLOSE to its window (class "VeskIdleTimerProgram") ends it.
//
//   idle_timer_program.exe [<class name>]
//
// With a class name, each tick reads the caption of the first window of that class with a
// bare FindWindowA, GetWindowTextLengthA and GetWindowTextA into a buffer of that length: the
// least a program that reads a player's caption of any length can do.

#include <windows.h>

#include <string>

namespace {

constexpr char kClassName[] = "VeskIdleTimerProgram";
constexpr UINT_PTR kTimer = 1;
constexpr UINT kIntervalMilliseconds = 1000;

const char* g_captionClass = nullptr;  // the class whose caption each tick reads, if any

void ReadCaption() {
    const HWND player = FindWindowA(g_captionClass, nullptr);
    std::string caption(static_cast<std::size_t>(GetWindowTextLengthA(player)) + 1, '\0');
    GetWindowTextA(player, caption.data(), static_cast<int>(caption.size()));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (g_captionClass != nullptr) {
                ReadCaption();
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (commandLine != nullptr && commandLine[0] != '\0') {
        g_captionClass = commandLine;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExA(&windowClass) == 0) {
        return 1;
    }
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr || SetTimer(window, kTimer, kIntervalMilliseconds, nullptr) == 0) {
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}
