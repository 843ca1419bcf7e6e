#include "DesktopKit.h"

#include <cstring>

namespace vesk::test {

namespace {

BOOL CALLBACK CollectBoxChild(HWND child, LPARAM param) {
    auto* seen = reinterpret_cast<BoxSeen*>(param);
    char className[64] = {};
    GetClassNameA(child, className, sizeof(className));
    char text[4096] = {};
    GetWindowTextA(child, text, sizeof(text));
    if (lstrcmpiA(className, "Static") == 0 && std::strlen(text) > seen->text.size()) {
        seen->text = text;
    }
    if (GetDlgCtrlID(child) == IDCANCEL) {
        seen->hasCancel = true;
    }
    return TRUE;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) {
            return true;
        }
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void Pump(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

bool PutTextOnClipboard(const std::string& text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    bool put = false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory != nullptr) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        put = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!put) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
    return put;
}

std::future<BoxSeen> AnswerBox(const std::string& caption, int button, int delayMs) {
    return std::async(std::launch::async, [caption, button, delayMs] {
        BoxSeen seen;
        for (int i = 0; i < 200 && !seen.found; ++i) {
            HWND box = FindWindowA("#32770", caption.c_str());
            if (box != nullptr && IsWindowVisible(box)) {
                seen.found = true;
                EnumChildWindows(box, CollectBoxChild, reinterpret_cast<LPARAM>(&seen));
                Sleep(static_cast<DWORD>(delayMs));
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            } else {
                Sleep(50);
            }
        }
        return seen;
    });
}

}  // namespace vesk::test
