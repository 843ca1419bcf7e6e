#include "common/win32/MessageLoop.h"

#include "common/win32/Dialog.h"

namespace vesk {

bool RouteDialogMessage(MSG& msg) {
    if (msg.hwnd == nullptr) {
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
