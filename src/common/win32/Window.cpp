#include "common/win32/Window.h"

#include <exception>

#include "common/win32/ErrorReport.h"
#include "common/win32/WindowDpi.h"

namespace vesk {

HINSTANCE ProgramInstance() {
    return GetModuleHandleA(nullptr);
}

Window::~Window() {
    if (hwnd_ != nullptr) {
        // The object dies first: detach it so that late messages get default handling.
        HWND hwnd = hwnd_;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

Window* Window::FromHandle(HWND hwnd) {
    return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

HWND Window::CreateWindowObject(const WNDCLASSEXA& classTemplate, DWORD exStyle,
                                const char* caption, DWORD style, int x, int y, int width,
                                int height, HWND parent, HMENU menu) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(ProgramInstance(), classTemplate.lpszClassName, &existing)) {
        WNDCLASSEXA windowClass = classTemplate;
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = ProgramInstance();
        if (windowClass.hCursor == nullptr) {
            windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        }
        RegisterClassExA(&windowClass);
    }
    return CreateWindowExA(exStyle, classTemplate.lpszClassName, caption, style, x, y, width,
                           height, parent, menu, ProgramInstance(), this);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

void Window::OnDpiChanged(const DpiScale&, const RECT& suggested) {
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        self->dpi_ = WindowDpi(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = FromHandle(hwnd);
    }
    if (self == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    const OwnCall call(*self);
    LRESULT result = 0;
    try {
        if (message == WM_DPICHANGED) {
            const DpiChange change = DpiChangeOf(wParam, lParam);
            const DpiScale old = self->Scale();
            self->dpi_ = change.dpi;
            self->OnDpiChanged(old, change.suggested);
        } else {
            result = self->HandleMessage(message, wParam, lParam);
        }
    } catch (const std::exception& error) {
        ReportError(hwnd, error);
    }
    if (!call.ObjectAlive()) {
        return result;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnWindowDestroyed();
        // Last: the handler may let go of the object, which goes when this call returns.
        if (std::function<void()> destroyed = std::move(self->destroyed_)) {
            destroyed();
        }
    }
    return result;
}

}  // namespace vesk
