// Asks a program to end as its own menu would: posts WM_CLOSE to its top-level window of
// the given class and waits for the program to end.
//
//   close_window.exe <class name> [<milliseconds to wait, default 20000>]
//
// Exit code 0 when the program ended, 1 when it did not in time, 2 when no such window.

#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    const DWORD wait = argc > 2 ? static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) : 20000;
    HWND window = FindWindowA(argv[1], nullptr);
    if (window == nullptr) {
        return 2;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageA(window, WM_CLOSE, 0, 0);
    const bool ended = process != nullptr && WaitForSingleObject(process, wait) == WAIT_OBJECT_0;
    if (process != nullptr) {
        CloseHandle(process);
    }
    return ended ? 0 : 1;
}
