#pragma once

// The Win32 host of windowless controls: a helper object that a window hands its messages
// to first (see Controls.h for the whole use). It paints the controls on WM_PAINT, lays them
// out on WM_SIZE and routes mouse messages to them; what it does not take is left to the
// window. TControlPanel is a ready child window with a host, for dialogs.

#include <windows.h>

#include <functional>
#include <optional>

#include "common/Color.h"
#include "common/win32/WinHandles.h"
#include "common/win32/Window.h"
#include "display/Controls.h"
#include "display/win32/GdiCanvas.h"

namespace vesk {

// The button of a mouse press, release or double click; nullopt for other messages.
std::optional<TMouseButton> MouseButtonOf(UINT message);

class TWinControlHost : public TControlHost {
public:
    // Hosts the controls on this window (its client size and DPI are taken at once).
    void Attach(HWND window);
    HWND Window() const { return window_; }

    // The DPI the controls' fonts come out at: the window's, and after WM_DPICHANGED the new
    // one, which the window tells (a child window by WM_DPICHANGED_AFTERPARENT, TControlPanel).
    int Dpi() const { return dpi_; }
    void SetDpi(int dpi);

    // When set, the host erases the client area with this colour (else the window does, by
    // its class background or its own WM_ERASEBKGND).
    void SetBackground(Color color);
    void ClearBackground() { hasBackground_ = false; }

    // Paints the whole client area in a memory bitmap first and shows it in one copy.
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool doubleBuffered) { doubleBuffered_ = doubleBuffered; }

    // The message's result when the host handled it, else nothing (the window goes on with
    // it). A mouse message that a control took also gets the window's default handling, so
    // that a right click still ends in WM_CONTEXTMENU for the window.
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Paints the controls that meet area (client coordinates) on dc.
    void PaintControlsTo(HDC dc, const RECT& area);

    void InvalidateRect(const TRect& rect, bool erase) override;
    std::unique_ptr<TCanvas> CreateMeasureCanvas() override;

    // While a hold lasts, the controls' repaint requests are gathered and asked of the
    // window as one when it ends: a fit that moves and sizes the label many times costs the
    // window system one request. Holds nest. With paintNow the last release paints what was
    // gathered at once instead, through an off-screen buffer (no flicker), and leaves the
    // window nothing to repaint: no round trips through the window system's repaint, for
    // text that changes often (synced lyrics).
    void HoldRepaints() { ++holds_; }
    void ReleaseRepaints(bool paintNow = false);

protected:
    void SetMouseCapture(bool capture) override;

private:
    LRESULT Paint();
    // Paints area (client coordinates) on the window now; false when it cannot.
    bool PaintNow(const TRect& area);
    std::optional<LRESULT> EraseBackground(HDC dc, bool fromBeginPaint);

    HWND window_ = nullptr;
    int dpi_ = 0;
    Color background_ = kClBtnFace;
    bool hasBackground_ = false;
    bool doubleBuffered_ = false;
    TDibSurfacePool surfaces_;
    // The context the controls measure their text on: compatible with the screen, so it
    // measures as the screen's does, and kept, since making a context and selecting fonts
    // into the screen's each cost a round trip to the window system, at every fit.
    MemoryDc measureDc_;
    int holds_ = 0;
    std::optional<TRect> held_;  // the union of the requests held
    bool heldErase_ = false;
};

// A child window that hosts controls, for placing them in a dialog.
class TControlPanel : public Window {
public:
    // Creates the panel as a visible child of parent with the given bounds (in the parent's
    // client coordinates).
    bool Create(HWND parent, int x, int y, int width, int height);
    TWinControlHost& Host() { return host_; }
    const TWinControlHost& Host() const { return host_; }
    // Called when the panel is drawn at a new DPI (its host already takes it).
    std::function<void(int dpi)> OnDpiChanged;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TWinControlHost host_;
};

}  // namespace vesk
