#pragma once

// Watching the messages of a window that another part of the program owns, after that
// window's own handling, by replacing its window procedure (one watcher per window). Unlike
// comctl32's subclassing it needs no DLL beyond user32 and looks nothing up in the window
// system per message: Wine answers each of comctl32's window-property look-ups with a round
// trip to its server.

#include <windows.h>

#include <functional>

namespace vesk {

class WindowSubclass {
public:
    // after(message, wParam, lParam) runs once the window's own procedure has returned.
    using After = std::function<void(UINT, WPARAM, LPARAM)>;

    // Watches window from now on; watches nothing when window is null or already watched.
    WindowSubclass(HWND window, After after);
    // The window's procedure is given back, or, when a later subclass sits on top of this
    // one, the messages are only passed on from then on.
    ~WindowSubclass();
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    bool Watching() const { return watching_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_;
    After after_;
    bool watching_ = false;
};

}  // namespace vesk
