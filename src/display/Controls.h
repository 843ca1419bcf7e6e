#pragma once

// A small framework of windowless controls: each control paints on the surface of the window
// that hosts it and gets its mouse input from that window. Only what the lyrics window and
// the settings dialog's preview need: bounds, anchors, auto size, visibility, enabled state,
// painting, and mouse down, move and up.
//
// Use (the Win32 host is win32/ControlHost.h; TShadowLabel is in ShadoLbl.h):
//
//   TWinControlHost host_;                   // member of a window
//   TShadowLabel slbLyrics;                  // member of the same window
//   host_.Attach(Handle());                  // once the window exists
//   slbLyrics.SetBounds(10, 10, 260, 139);
//   slbLyrics.SetAutoSize(false);
//   host_.Add(slbLyrics);                    // measured once here if AutoSize is on
//   slbLyrics.SetAnchors(kAnchorsAll);       // grows and shrinks with the window
//   slbLyrics.OnMouseDown = [this](TControl&, TMouseButton b, int x, int y) { ... };
//   slbLyrics.SetCaption(text);              // repaints; resizes itself if AutoSize is on
//
// and in the window's HandleMessage, first of all:
//
//   if (auto result = host_.HandleMessage(message, wParam, lParam)) return *result;
//
// Mouse messages over a control go to its events and not to the window (a right click still
// ends in the window's WM_CONTEXTMENU); the rest reach the window as before. To size a label
// to its text: anchors left and top only, AutoSize on (it measures at its current width,
// which limits the lines while WordWrap is on), read its size, AutoSize off, anchors back.
// The host can also erase the background with a colour (SetBackground) and paint through a
// memory bitmap (SetDoubleBuffered). In a dialog, TControlPanel is a child window with a host.
//
// Controls and host refer to each other without owning: whichever goes first detaches the
// other.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "common/Anchors.h"
#include "display/Canvas.h"

namespace vesk {

class TControlHost;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

class TControl;
// x and y are in the coordinates of the control that gets the event.
using TMouseEvent = std::function<void(TControl& sender, TMouseButton button, int x, int y)>;
using TMouseMoveEvent = std::function<void(TControl& sender, int x, int y)>;

class TControl {
public:
    TControl() = default;
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    TControlHost* Host() const { return host_; }

    // Bounds in the host's client coordinates.
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    TRect BoundsRect() const { return bounds_; }
    TRect ClientRect() const { return {0, 0, Width(), Height()}; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

    // Setting the anchors (or the bounds) takes the current distances to the host's edges
    // as the ones to keep.
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // A disabled control is painted as such and gets no mouse events (its host does).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Whether the control sizes itself to its content (see AdjustSize of the derived class).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    // Asks the host to paint the control again.
    void Invalidate();

    // Paints the control; the canvas is in the control's coordinates and clipped to it.
    virtual void Paint(TCanvas& canvas) = 0;
    // Whether Paint covers every pixel of the bounds (else the host's background is drawn
    // first).
    virtual bool IsOpaque() const { return false; }

    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    // Sizes the control to its content when AutoSize is on and it is hosted; default nothing.
    virtual void AdjustSize() {}

private:
    friend class TControlHost;
    void AttachTo(TControlHost* host);
    void RecordAnchorRules();
    void HostResized(int width, int height);
    void ApplyBounds(const TRect& bounds);

    TControlHost* host_ = nullptr;
    TRect bounds_;
    TAnchors anchors_ = kAnchorsDefault;
    bool visible_ = true;
    bool enabled_ = true;
    bool autoSize_ = false;
    // The bounds and the host's client size when the anchors last took their distances.
    TRect anchorBounds_;
    int anchorHostWidth_ = 0;
    int anchorHostHeight_ = 0;
};

// The window side of the framework: keeps the controls in z-order (the last added on top),
// routes mouse input to them and lays them out by their anchors. The platform layer calls
// Resize, the mouse operations and PaintControls from its window's messages.
class TControlHost {
public:
    TControlHost() = default;
    virtual ~TControlHost();
    TControlHost(const TControlHost&) = delete;
    TControlHost& operator=(const TControlHost&) = delete;

    // Adds a control on top of the others (taking it from another host if it has one) and,
    // when its AutoSize is on, sizes it.
    void Add(TControl& control);
    void Remove(TControl& control);
    const std::vector<TControl*>& Controls() const { return controls_; }

    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }

    // The topmost visible and enabled control at (x, y), or nullptr.
    TControl* ControlAt(int x, int y) const;

    // The client area now has this size: anchored controls follow.
    void Resize(int width, int height);

    // Mouse input at (x, y) in client coordinates. Each returns whether a control took it
    // (otherwise it is the host's own). A control that gets a button press captures the
    // mouse until a button is released, so it also gets the moves and the release outside
    // its bounds.
    bool MouseDown(TMouseButton button, int x, int y);
    bool MouseMove(int x, int y);
    bool MouseUp(TMouseButton button, int x, int y);
    // The window lost the mouse capture.
    void CaptureLost() { captured_ = nullptr; }

    // Calls paint for every visible control that meets the rectangle, bottom to top.
    void PaintControls(const TRect& dirty, const std::function<void(TControl&)>& paint) const;

    // Services the controls ask for.
    virtual void InvalidateRect(const TRect& rect, bool erase) = 0;
    // A canvas to measure text on (nothing drawn on it is seen).
    virtual std::unique_ptr<TCanvas> CreateMeasureCanvas() = 0;

protected:
    // Capture of the mouse by the host's window on or off.
    virtual void SetMouseCapture(bool capture) = 0;
    void SetClientSize(int width, int height);

private:
    std::vector<TControl*> controls_;
    TControl* captured_ = nullptr;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
};

}  // namespace vesk
