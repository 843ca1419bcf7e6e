#pragma once

// The one window base of the program: the object travels to the window procedure in
// lpCreateParams at WM_NCCREATE and is kept in GWLP_USERDATA; one static window procedure
// hands every message to the virtual HandleMessage. Exceptions never leave the window
// procedure: they are shown to the user in a message box. The base keeps the DPI the window
// is drawn at and handles WM_DPICHANGED (OnDpiChanged).

#include <windows.h>

#include <functional>
#include <utility>

#include "common/DpiScale.h"
#include "common/win32/WindowLifetime.h"

namespace vesk {

class Window : public WindowLifetime {
public:
    Window() = default;
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

    // The object behind a window created through this class, or nullptr.
    static Window* FromHandle(HWND hwnd);

    // The scale of the DPI the window is drawn at, which every size in pixels at 96 DPI goes
    // through: its monitor's, since WM_DPICHANGED the new one.
    DpiScale Scale() const { return DpiScale(dpi_); }

    // Called once, after the window is gone and OnWindowDestroyed has run (it may let go
    // of the object: DeleteWhenIdle).
    void SetDestroyedHandler(std::function<void()> handler) { destroyed_ = std::move(handler); }

protected:
    // Registers the class on first use (class style, icon, cursor and background as given
    // in the template; its procedure and instance are filled in) and creates the window.
    // Returns nullptr when the window cannot be created.
    HWND CreateWindowObject(const WNDCLASSEXA& classTemplate, DWORD exStyle, const char* caption,
                            DWORD style, int x, int y, int width, int height, HWND parent = nullptr,
                            HMENU menu = nullptr);

    // Default: DefWindowProcA.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Called once the window is gone (after WM_NCDESTROY); the handle is already cleared.
    virtual void OnWindowDestroyed() {}

    // WM_DPICHANGED, with Scale() already the new DPI's; old: the scale the window was drawn
    // at. Default: the window takes the system's suggested rectangle and is drawn again.
    virtual void OnDpiChanged(const DpiScale& old, const RECT& suggested);

    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    int dpi_ = kBaseDpi;
    std::function<void()> destroyed_;
};

// The program's module (the .exe), for resources and window classes.
HINSTANCE ProgramInstance();

}  // namespace vesk
