#pragma once

// The application's hidden top-level window: it carries the application title "Vesk" and
// owns the program's other windows. A tool window, so the program has no task-bar button.

#include "common/win32/Window.h"

namespace vesk {

class ApplicationWindow final : public Window {
public:
    bool Create();
};

}  // namespace vesk
