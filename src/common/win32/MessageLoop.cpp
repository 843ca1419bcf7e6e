#include "common/win32/MessageLoop.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "common/win32/Dialog.h"
#include "common/win32/ErrorReport.h"

namespace vesk {

bool RouteDialogMessage(MSG& msg) {
    // Finding a message's top-level window is a round trip to the window server under Wine:
    // with no modeless dialog open, as nearly always, no message can be a dialog's.
    if (msg.hwnd == nullptr || !Dialog::AnyModelessOnThread()) {
        return false;
    }
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    Dialog* dialog = root != nullptr ? Dialog::FromHandle(root) : nullptr;
    // Modal dialogs run loops of their own; only the modeless ones need this one.
    if (dialog == nullptr || dialog->IsModal()) {
        return false;
    }
    return dialog->TranslateKey(msg) || IsDialogMessageA(root, &msg) != FALSE;
}

namespace {

// The waits of the user-interface thread, in the order they were made.
std::vector<LoopWait*>& Waits() {
    static std::vector<LoopWait*> waits;
    return waits;
}

void Dispatch(MSG& msg) {
    if (RouteDialogMessage(msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

}  // namespace

LoopWait::LoopWait(HANDLE handle, std::function<void()> signalled)
    : handle_(handle), signalled_(std::move(signalled)) {
    Waits().push_back(this);
}

LoopWait::~LoopWait() {
    std::vector<LoopWait*>& waits = Waits();
    waits.erase(std::remove(waits.begin(), waits.end(), this), waits.end());
}

int RunMessageLoop() {
    MSG msg{};
    for (;;) {
        std::vector<LoopWait*>& waits = Waits();
        if (waits.empty()) {
            if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
                break;
            }
            Dispatch(msg);
            continue;
        }
        HANDLE handles[MAXIMUM_WAIT_OBJECTS - 1];
        DWORD count = 0;
        for (const LoopWait* wait : waits) {
            if (count < std::size(handles)) {
                handles[count++] = wait->handle_;
            }
        }
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken < WAIT_OBJECT_0 + count) {
            // Copied: the call may end the wait.
            const std::function<void()> signalled = waits[woken - WAIT_OBJECT_0]->signalled_;
            try {
                signalled();
            } catch (...) {
                // As in a window procedure: told, and the program goes on.
                ReportError(nullptr, std::current_exception());
            }
            continue;
        }
        // One message a wake: the wait returns at once while more input waits, and a queue
        // found empty costs the window server a round trip each time.
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                return static_cast<int>(msg.wParam);
            }
            Dispatch(msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace vesk
