#include "LyricsFormTestKit.h"

#include <cstring>

namespace vesk::test {

namespace {

BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
    auto* seen = reinterpret_cast<BoxSeen*>(param);
    char className[64] = {};
    GetClassNameA(child, className, sizeof(className));
    char text[4096] = {};
    GetWindowTextA(child, text, sizeof(text));
    if (lstrcmpiA(className, "Static") == 0 && std::strlen(text) > seen->text.size()) {
        seen->text = text;
    }
    return TRUE;
}

}  // namespace

std::future<BoxSeen> AnswerBox(const std::string& caption, int button, int delayMs) {
    return std::async(std::launch::async, [caption, button, delayMs] {
        BoxSeen seen;
        for (int i = 0; i < 200 && !seen.found; ++i) {
            HWND box = FindWindowA("#32770", caption.c_str());
            if (box != nullptr && IsWindowVisible(box)) {
                seen.found = true;
                EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&seen));
                Sleep(delayMs);
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            } else {
                Sleep(50);
            }
        }
        return seen;
    });
}

void PumpMessages(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

void MouseTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65535 over the primary screen; rounded up, so that
    // they come back as the same pixel.
    const auto scaled = [](int value, int size) { return (value * 65536 + size - 1) / size; };
    input.mi.dx = scaled(x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = scaled(y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

void LeftButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
}

}  // namespace vesk::test
