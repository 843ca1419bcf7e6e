#include "display/win32/ControlHost.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "common/win32/WinHandles.h"
#include "common/win32/WindowDpi.h"
#include "display/win32/GdiCanvas.h"

namespace vesk {

namespace {

constexpr char kPanelClassName[] = "VeskControlPanel";

// BeginPaint and EndPaint on every path.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { BeginPaint(window, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    const PAINTSTRUCT& Info() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

}  // namespace

std::optional<TMouseButton> MouseButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
            return TMouseButton::mbLeft;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP:
            return TMouseButton::mbRight;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_MBUTTONUP:
            return TMouseButton::mbMiddle;
        default:
            return std::nullopt;
    }
}

namespace {

bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

}  // namespace

void TWinControlHost::Attach(HWND window) {
    window_ = window;
    dpi_ = window != nullptr ? WindowDpi(window) : 0;
    RECT client{};
    GetClientRect(window, &client);
    SetClientSize(client.right, client.bottom);
}

void TWinControlHost::SetDpi(int dpi) {
    if (dpi_ != dpi) {
        dpi_ = dpi;
        if (window_ != nullptr) {
            ::InvalidateRect(window_, nullptr, TRUE);
        }
    }
}

void TWinControlHost::SetBackground(Color color) {
    if (!hasBackground_ || background_ != color) {
        background_ = color;
        hasBackground_ = true;
        if (window_ != nullptr) {
            ::InvalidateRect(window_, nullptr, TRUE);
        }
    }
}

std::optional<LRESULT> TWinControlHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Kept here: a control's event handler may destroy the window and this host with it.
    const HWND window = window_;
    if (window == nullptr) {
        return std::nullopt;
    }
    switch (message) {
        case WM_PAINT:
            return Paint();
        case WM_ERASEBKGND:
            // BeginPaint passes no lParam; the double buffer passes its context in both.
            return EraseBackground(reinterpret_cast<HDC>(wParam),
                                   static_cast<WPARAM>(lParam) != wParam);
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                Resize(LOWORD(lParam), HIWORD(lParam));
            }
            return std::nullopt;
        case WM_CAPTURECHANGED:
            CaptureLost();
            return std::nullopt;
        case WM_NCDESTROY:
            window_ = nullptr;
            return std::nullopt;
        default:
            break;
    }

    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    bool routed = false;
    if (message == WM_MOUSEMOVE) {
        routed = MouseMove(x, y);
    } else if (const auto button = MouseButtonOf(message)) {
        routed = IsButtonUp(message) ? MouseUp(*button, x, y) : MouseDown(*button, x, y);
    } else {
        return std::nullopt;
    }
    if (!routed) {
        return std::nullopt;
    }
    return IsWindow(window) ? DefWindowProcA(window, message, wParam, lParam) : 0;
}

LRESULT TWinControlHost::Paint() {
    const HWND window = window_;
    const PaintScope paint(window);
    const RECT& area = paint.Info().rcPaint;
    if (!doubleBuffered_) {
        PaintControlsTo(paint.Info().hdc, area);
        return 0;
    }
    RECT client{};
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0) {
        return 0;
    }
    const MemoryDc buffer(CreateCompatibleDC(paint.Info().hdc));
    const BitmapHandle bitmap(
        CreateCompatibleBitmap(paint.Info().hdc, client.right, client.bottom));
    if (!buffer || !bitmap) {
        PaintControlsTo(paint.Info().hdc, area);
        return 0;
    }
    {
        const SelectionScope selected(buffer.Get(), bitmap.Get());
        SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer.Get()),
                     reinterpret_cast<LPARAM>(buffer.Get()));
        PaintControlsTo(buffer.Get(), area);
        BitBlt(paint.Info().hdc, area.left, area.top, area.right - area.left,
               area.bottom - area.top, buffer.Get(), area.left, area.top, SRCCOPY);
    }
    return 0;
}

std::optional<LRESULT> TWinControlHost::EraseBackground(HDC dc, bool fromBeginPaint) {
    if (doubleBuffered_ && fromBeginPaint) {
        return 1;  // erased in the buffer instead, so the screen never shows a bare background
    }
    if (!hasBackground_) {
        return std::nullopt;
    }
    RECT client{};
    GetClientRect(window_, &client);
    TGdiCanvas canvas(dc);
    canvas.FillRect({client.left, client.top, client.right, client.bottom}, background_);
    return 1;
}

void TWinControlHost::PaintControlsTo(HDC dc, const RECT& area) {
    PaintControls({area.left, area.top, area.right, area.bottom}, [this, dc](TControl& control) {
        const TRect bounds = control.BoundsRect();
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        {
            TGdiCanvas canvas(dc, &surfaces_, dpi_);
            control.Paint(canvas);
        }
        RestoreDC(dc, saved);
    });
}

void TWinControlHost::InvalidateRect(const TRect& rect, bool erase) {
    if (holds_ > 0) {
        held_ =
            held_ ? TRect{std::min(held_->left, rect.left), std::min(held_->top, rect.top),
                          std::max(held_->right, rect.right), std::max(held_->bottom, rect.bottom)}
                  : rect;
        heldErase_ = heldErase_ || erase;
        return;
    }
    if (window_ != nullptr) {
        const RECT area{rect.left, rect.top, rect.right, rect.bottom};
        ::InvalidateRect(window_, &area, erase ? TRUE : FALSE);
    }
}

void TWinControlHost::ReleaseRepaints(bool paintNow) {
    if (holds_ == 0 || --holds_ > 0 || !held_) {
        return;
    }
    const TRect area = *std::exchange(held_, std::nullopt);
    const bool erase = std::exchange(heldErase_, false);
    if (!paintNow || !PaintNow(area)) {
        InvalidateRect(area, erase);
    }
}

bool TWinControlHost::PaintNow(const TRect& requested) {
    RECT client{};
    GetClientRect(window_, &client);
    const TRect area{std::max<int>(requested.left, 0), std::max<int>(requested.top, 0),
                     std::min<int>(requested.right, client.right),
                     std::min<int>(requested.bottom, client.bottom)};
    if (area.Width() <= 0 || area.Height() <= 0) {
        return true;
    }
    const WindowDc screen(window_);
    DibSurface buffer = surfaces_.Take(screen.Get(), area.Width(), area.Height());
    if (!buffer.dc) {
        return false;
    }
    const HDC dc = buffer.dc.Get();
    // The buffer shows the area: drawn in client coordinates.
    SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
    if (hasBackground_) {
        TGdiCanvas(dc).FillRect(area, background_);
    } else {
        SendMessageA(window_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(dc));
    }
    PaintControlsTo(dc, {area.left, area.top, area.right, area.bottom});
    SetViewportOrgEx(dc, 0, 0, nullptr);
    BitBlt(screen.Get(), area.left, area.top, area.Width(), area.Height(), dc, 0, 0, SRCCOPY);
    surfaces_.GiveBack(std::move(buffer));
    return true;
}

std::unique_ptr<TCanvas> TWinControlHost::CreateMeasureCanvas() {
    if (!measureDc_) {
        measureDc_.Reset(CreateCompatibleDC(nullptr));
    }
    return std::make_unique<TGdiCanvas>(measureDc_.Get(), nullptr, dpi_);
}

void TWinControlHost::SetMouseCapture(bool capture) {
    if (window_ == nullptr) {
        return;
    }
    if (capture) {
        SetCapture(window_);
    } else if (GetCapture() == window_) {
        ReleaseCapture();
    }
}

bool TControlPanel::Create(HWND parent, int x, int y, int width, int height) {
    WNDCLASSEXA panelClass{};
    panelClass.lpszClassName = kPanelClassName;
    panelClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (CreateWindowObject(panelClass, 0, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width,
                           height, parent) == nullptr) {
        return false;
    }
    host_.Attach(Handle());
    return true;
}

LRESULT TControlPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWmDpiChangedAfterParent) {
        host_.SetDpi(WindowDpi(Handle()));
        if (OnDpiChanged) {
            OnDpiChanged(host_.Dpi());
        }
        return 0;
    }
    if (const auto result = host_.HandleMessage(message, wParam, lParam)) {
        return *result;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace vesk
