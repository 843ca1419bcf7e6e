#pragma once

// The one dialog base of the program, beside the window base (Window.h). A dialog comes from
// a DIALOGEX template in the program's resources (UTF-8 source, "ＭＳ Ｐゴシック" 9 pt); the
// object travels to the dialog procedure in the lParam of WM_INITDIALOG and is kept in
// DWLP_USER; one static procedure hands the messages to the virtual handlers below.
// Exceptions never leave it: they are shown in the program's error box. Modal and modeless
// dialogs differ only in how they end: End() finishes a modal dialog's loop or destroys a
// modeless dialog (a modeless dialog's keys reach it through RouteDialogMessage, in
// MessageLoop.h).
//
// Geometry has one source, the code. A template holds the controls, their ids, styles,
// captions and tab order, with 0, 0, 0, 0 for every rectangle (the dialog's own x may be
// CW_USEDEFAULT, 0x8000: the system places it). Where each control goes is the dialog's
// pixel table (ControlPlaces.h), and window sizes are pixels too, all at 96 DPI: the
// placing functions below scale them to the window's DPI (DpiScale.h), so that nothing is
// ever placed in dialog units, whose size follows the dialog's font. A table that does not
// depend on the dialog's size goes to the constructor and is placed before OnInit; one
// that does is made and placed in OnInit (PlaceControls), from ClientSize. Moved to a
// monitor of another DPI (WM_DPICHANGED), the dialog takes the system's suggested rectangle
// and rescales what it holds: its controls' places, fonts and list columns, its anchoring
// and its least size (the system's own rescaling of dialogs is turned off); OnDpiChanged
// does the rest.
//
//   class TfrmExample final : public Dialog {
//   public:
//       TfrmExample() : Dialog(IDD_EXAMPLE, kPlaces) {}   // {control id, left, top, width, height}
//   protected:
//       bool OnInit() override {
//           SetClientSize(kClientWidth, kClientHeight);
//           SetAnchors(kAnchors);          // {control id, anchors} rows
//           return true;
//       }
//       bool OnCommand(int id, int code, HWND control) override { ... }
//   };
//
// End() destroys a modeless dialog at once, and the owner of a single instance (see
// SingleWindow.h) lets go of the object then; it is deleted once the dialog's own calls on
// the stack have returned (WindowLifetime.h).

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/Anchors.h"
#include "common/DpiScale.h"
#include "common/win32/ControlPlaces.h"
#include "common/win32/WinHandles.h"
#include "common/win32/WindowLifetime.h"

namespace vesk {

// One row of a dialog's anchoring table.
struct DialogAnchor {
    int controlId;
    TAnchors anchors;
};

class Dialog : public WindowLifetime {
public:
    // places: the controls' pixel table when it does not depend on the dialog's size.
    explicit Dialog(int templateId, std::span<const ControlPlace> places = {})
        : templateId_(templateId), places_(places) {}
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND Handle() const { return hwnd_; }
    // The object behind a dialog made through this class, or nullptr.
    static Dialog* FromHandle(HWND hwnd);

    // Runs the dialog in its own modal loop, owner disabled meanwhile; returns the result
    // given to End, or -1 when the dialog cannot be made.
    INT_PTR ShowModal(HWND owner);
    // Makes the dialog and returns at once; it shows itself if its template says WS_VISIBLE,
    // else Show() does. false when it cannot be made.
    bool CreateModeless(HWND owner);
    bool IsModal() const { return modal_; }
    // Whether a modeless dialog of this class exists on the calling thread: the message loop
    // asks nothing more of the window system while none does.
    static bool AnyModelessOnThread();
    // Shows a modeless dialog and brings it to the front.
    void Show();
    // Ends the dialog: a modal one returns result from ShowModal, a modeless one is destroyed.
    void End(INT_PTR result);
    // A key message for a modeless dialog or one of its controls, before the dialog manager
    // reads it (Tab, Enter, Esc, access keys); true when the dialog has taken it.
    virtual bool TranslateKey(const MSG& msg) {
        static_cast<void>(msg);
        return false;
    }

    // Called once, after the window is gone (it may let go of the object: DeleteWhenIdle).
    void SetDestroyedHandler(std::function<void()> handler) { destroyed_ = std::move(handler); }

    // The controls, by id.
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, std::string_view text);
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    void ShowItem(int id, bool visible);
    void EnableItem(int id, bool enabled);

protected:
    // WM_INITDIALOG: true lets the system give the focus to the first control.
    virtual bool OnInit() { return true; }
    // WM_COMMAND of a control or menu item; true when handled. By default IDOK runs OnOK and
    // IDCANCEL (also Esc and the close box) runs OnCancel.
    virtual bool OnCommand(int id, int code, HWND control);
    // WM_NOTIFY; true when handled, with the notification's result.
    virtual bool OnNotify(const NMHDR& header, LRESULT& result);
    // WM_HSCROLL / WM_VSCROLL of a child control: up-down arrows (SB_THUMBPOSITION once the
    // position changed), track bars.
    virtual void OnScroll(int controlId, int code);
    // WM_SIZE, after the anchoring table has laid the controls out.
    virtual void OnSize(int clientWidth, int clientHeight);
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // Any other message; true when handled, with the dialog procedure's result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    // The window is gone; the handle is already cleared.
    virtual void OnDestroyed() {}
    // After WM_DPICHANGED has rescaled the dialog; Scale() is the new DPI's. For what the
    // dialog draws or sizes itself (images, its own fonts).
    virtual void OnDpiChanged(const DpiScale& /*old*/) {}

    // The scale of the window's DPI, which every size in pixels at 96 DPI goes through: its
    // monitor's when it was made, since WM_DPICHANGED the new one.
    DpiScale Scale() const;
    // Places controls by a pixel table made for the dialog's current size.
    void PlaceControls(std::span<const ControlPlace> table);
    // The client area's size in pixels at 96 DPI, for a table made from it.
    SIZE ClientSize() const;
    // Sizes the whole window, or its client area, in pixels at 96 DPI.
    void SetWindowSize(int width, int height);
    void SetClientSize(int width, int height);
    // Puts the window at the middle of the work area of its owner's monitor (without an
    // owner, the primary monitor's), where the system puts a DS_CENTER template's.
    void CentreInWorkArea();

    // Takes the controls' current places as the ones the table's anchors keep (call it in
    // OnInit, once the layout is final). Unless SetMinTrackSize says otherwise, the dialog
    // cannot be made smaller than it is now.
    void SetAnchors(std::span<const DialogAnchor> table);
    // The smallest window size the user can drag the dialog to, in pixels at 96 DPI.
    void SetMinTrackSize(int width, int height);

private:
    struct AnchoredControl {
        HWND control;
        TAnchors anchors;
        TRect bounds;
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyAnchors(int clientWidth, int clientHeight);
    void ChangeDpi(int dpi, const RECT& suggested);
    static BOOL CALLBACK TakeDpi(HWND child, LPARAM dpi);

    int templateId_;
    std::span<const ControlPlace> places_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    std::function<void()> destroyed_;
    std::vector<AnchoredControl> anchored_;
    int anchorClientWidth_ = 0;
    int anchorClientHeight_ = 0;
    SIZE minTrackSize_{0, 0};
    int dpi_ = 0;  // 0 until the window exists
    std::vector<FontHandle> dpiFonts_;
};

}  // namespace vesk
