#include "common/win32/MessageLoop.h"

#include "common/win32/Dialog.h"

namespace vesk {

bool RouteDialogMessage(MSG& msg) {
    // Finding a message's top-level window is a round trip to the window server under Wine:
    // with no modeless dialog open, as nearly always, no message can be a dialog's.
    if (msg.hwnd == nullptr || !Dialog::AnyModelessOnThread()) {
        return false;
    }
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    const Dialog* dialog = root != nullptr ? Dialog::FromHandle(root) : nullptr;
    // Modal dialogs run loops of their own; only the modeless ones need this one.
    if (dialog == nullptr || dialog->IsModal()) {
        return false;
    }
    return IsDialogMessageA(root, &msg) != FALSE;
}

int RunMessageLoop() {
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (RouteDialogMessage(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace vesk
