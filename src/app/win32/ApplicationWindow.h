#pragma once

// The application's hidden top-level window: it carries the application title "Vesk" and
// owns the program's other windows. A tool window, so the program has no task-bar button.

#include "common/win32/Window.h"

namespace vesk {

// The class of the main form, the window whose close ends the program.
inline constexpr char kMainFormClassName[] = "TfrmMain";

class ApplicationWindow final : public Window {
public:
    bool Create();

protected:
    // A close of this window goes to the main form that it owns.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace vesk
