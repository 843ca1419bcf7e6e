#include "app/win32/ApplicationWindow.h"

#include "common/win32/ErrorReport.h"

namespace vesk {

bool ApplicationWindow::Create() {
    WNDCLASSEXA windowClass{};
    windowClass.lpszClassName = "VeskApplication";
    windowClass.hIcon = LoadIconA(ProgramInstance(), "MAINICON");
    if (CreateWindowObject(windowClass, 0, ApplicationTitle(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                           0, 0, 0, 0) == nullptr) {
        return false;
    }
    SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    return true;
}

LRESULT ApplicationWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // A close from outside (a task manager's "end task") ends the program as its own exit
    // does, saving; destroying this window would take the main form with it unsaved.
    if (message == WM_CLOSE) {
        for (HWND form = FindWindowExA(nullptr, nullptr, kMainFormClassName, nullptr);
             form != nullptr; form = FindWindowExA(nullptr, form, kMainFormClassName, nullptr)) {
            if (GetWindow(form, GW_OWNER) == Handle()) {
                SendMessageA(form, WM_CLOSE, 0, 0);
                return 0;
            }
        }
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace vesk
