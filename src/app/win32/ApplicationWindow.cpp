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

}  // namespace vesk
