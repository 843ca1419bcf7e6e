#pragma once

// TTrayIcon: the program's icon in the notification area. It carries a tip, opens one
// pop-up menu when the left button is pressed on it and another for the right button,
// reports the pointer entering and leaving it, tells single from double clicks, comes back
// after the task bar is re-created and leaves the notification area when destroyed.
//
// Use: construct with the owner window, set the properties, then call Loaded() (from then
// on a change of tip or icon reaches the shell at once). The owner window receives the
// menus' WM_COMMAND; its minimize and restore are watched to show and hide the icon.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/win32/WinHandles.h"
#include "common/win32/WindowSubclass.h"
#include "shell/TrShlApi.h"
#include "shell/win32/Win32TrShlApi.h"

namespace vesk {

class TTrayIcon {
public:
    explicit TTrayIcon(HWND owner);
    // Hides and deletes the icon, gives the owner's minimize and restore back.
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    // The properties are set: add the icon if it should be shown. Throws ENotifyIconError.
    void Loaded();

    // Keeps a copy of the image. Throws ENotifyIconError (as does every setter that may
    // add the icon).
    void SetIcon(HICON icon);
    HICON Icon() const { return icon_.Get(); }
    void SetTipHelp(std::string_view tip);
    const std::string& TipHelp() const { return tipHelp_; }
    void SetVisible(bool visible);
    bool Visible() const { return visible_; }
    // Shown only while the owner is minimized.
    void SetMinimized(bool minimized) { minimized_ = minimized; }
    bool Minimized() const { return minimized_; }
    // Hides the owner window (and so its task-bar button) when it is minimized.
    void SetHideOnTaskBar(bool hide) { hideOnTaskBar_ = hide; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    void SetCheckSingleDoubleClick(bool on) {
        taskIcon_.ToolTipStyle().SetCheckSingleDoubleClick(on);
    }
    void SetDoForegroundWindow(bool on) { taskIcon_.SetDoForegroundWindow(on); }
    // Menus owned by the caller; their WM_COMMAND goes to the owner window.
    void SetLButtonPopupMenu(HMENU menu) { lButtonPopupMenu_ = menu; }
    void SetRButtonPopupMenu(HMENU menu) { rButtonPopupMenu_ = menu; }

    // Whether the icon is in the notification area now.
    bool Shown() const { return taskIcon_.Shown(); }
    HWND HiddenWindow() const { return window_.Handle(); }
    // Whether one of the icon's menus is open: the icon's window procedure is running, so
    // the icon must not be destroyed until it returns.
    bool MenuOpen() const { return menuDepth_ > 0; }
    HWND Owner() const { return owner_; }

    // Events; the point is the cursor position when the notification arrived.
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseExit;
    std::function<void(TrayButton)> OnMouseClick;
    std::function<void(TrayButton, POINT)> OnMouseDown;
    std::function<void(TrayButton, POINT)> OnMouseUp;
    std::function<void(POINT)> OnMouseMove;
    std::function<void()> OnDblClick;
    std::function<void()> OnRDblClick;
    std::function<void()> OnRestartTaskbar;

private:
    bool ShouldShow() const;
    bool AddIcon();
    void IconChanged();
    LRESULT OwnerHandler(UINT message, WPARAM wParam, LPARAM lParam);
    void ButtonDown(TrayButton button, HMENU menu, POINT at);
    void PopupMenu(HMENU menu, POINT at);
    void ApplicationMinimized();
    void ApplicationRestored();
    void OwnerSized(WPARAM sizeType);

    HWND owner_;
    HiddenTrayWindow window_;
    TTaskTrayIcon taskIcon_;
    IconHandle icon_;
    std::string tipHelp_;
    HMENU lButtonPopupMenu_ = nullptr;
    HMENU rButtonPopupMenu_ = nullptr;
    bool loading_ = true;
    bool visible_ = true;
    bool minimized_ = false;
    bool hideOnTaskBar_ = false;
    bool autoPopup_ = true;
    bool ownerIconic_ = false;
    int menuDepth_ = 0;  // menus open, one inside another when a press came during a menu
    // The owner's minimize and restore, seen after its own handling.
    std::unique_ptr<WindowSubclass> ownerWatch_;
};

}  // namespace vesk
