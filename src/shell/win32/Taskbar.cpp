#include "shell/win32/Taskbar.h"

#include <exception>

#include "common/win32/ErrorReport.h"
#include "common/win32/Window.h"

namespace vesk {

namespace {

// The application's own icon: the program's "MAINICON" resource (shared, never destroyed).
HICON ApplicationIcon() {
    return LoadIconA(ProgramInstance(), "MAINICON");
}

// Lets the messages that wait now run before a menu's own loop takes over.
void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

template <class Event, class... Arguments>
void Fire(const Event& event, Arguments... arguments) {
    if (event) {
        event(arguments...);
    }
}

}  // namespace

TTrayIcon::TTrayIcon(HWND owner) : owner_(owner), taskIcon_(window_, GetShellVersion()) {
    window_.Attach(&taskIcon_);
    taskIcon_.SetOwnerHandler([this](std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) -> std::intptr_t {
        return OwnerHandler(message, wParam, lParam);
    });
    taskIcon_.SetIcon(reinterpret_cast<std::uintptr_t>(ApplicationIcon()));
    if (owner_ != nullptr) {
        ownerIconic_ = IsIconic(owner_) != FALSE;
        // After the owner's own handling of minimize and restore, which stays.
        ownerWatch_ =
            std::make_unique<WindowSubclass>(owner_, [this](UINT message, WPARAM wParam, LPARAM) {
                if (message == WM_SIZE) {
                    OwnerSized(wParam);
                }
            });
    }
}

TTrayIcon::~TTrayIcon() {
    taskIcon_.Hide();
    ownerWatch_.reset();
    // The events and menus die with this object: late messages get default handling.
    taskIcon_.SetOwnerHandler(nullptr);
    taskIcon_.Delete();
    window_.Attach(nullptr);
}

void TTrayIcon::Loaded() {
    loading_ = false;
    if (ShouldShow()) {
        AddIcon();
    }
}

bool TTrayIcon::ShouldShow() const {
    return visible_ && (!minimized_ || (owner_ != nullptr && IsIconic(owner_)));
}

bool TTrayIcon::AddIcon() {
    const bool shown = taskIcon_.Add();
    if (shown) {
        visible_ = true;
    }
    return shown;
}

void TTrayIcon::IconChanged() {
    if (!loading_ && ShouldShow()) {
        taskIcon_.Update();
    }
}

void TTrayIcon::SetIcon(HICON icon) {
    icon_.Reset(icon != nullptr ? CopyIcon(icon) : nullptr);
    taskIcon_.SetIcon(reinterpret_cast<std::uintptr_t>(icon_ ? icon_.Get() : ApplicationIcon()));
    IconChanged();
}

void TTrayIcon::SetTipHelp(std::string_view tip) {
    tipHelp_ = std::string(tip);
    taskIcon_.SetTip(tip);
    IconChanged();
}

void TTrayIcon::SetVisible(bool visible) {
    visible_ = visible;
    if (loading_) {
        return;
    }
    if (!visible) {
        taskIcon_.Hide();
    } else if (ShouldShow()) {
        AddIcon();
    }
}

LRESULT TTrayIcon::OwnerHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUERYENDSESSION) {
        return 1;
    }
    if (message == kTrayTaskbarRestarted) {
        Fire(OnRestartTaskbar);
        return 0;
    }
    if (message != kTrayIconMessage) {
        return 0;
    }
    POINT at{};
    GetCursorPos(&at);
    switch (lParam) {
        case WM_LBUTTONDOWN:
            ButtonDown(TrayButton::Left, lButtonPopupMenu_, at);
            break;
        case WM_RBUTTONDOWN:
            ButtonDown(TrayButton::Right, rButtonPopupMenu_, at);
            break;
        case WM_MBUTTONDOWN:
            ButtonDown(TrayButton::Middle, nullptr, at);
            break;
        case WM_LBUTTONUP:
            Fire(OnMouseUp, TrayButton::Left, at);
            break;
        case WM_RBUTTONUP:
            Fire(OnMouseUp, TrayButton::Right, at);
            break;
        case WM_MBUTTONUP:
            Fire(OnMouseUp, TrayButton::Middle, at);
            break;
        case WM_LBUTTONDBLCLK:
            Fire(OnDblClick);
            break;
        case WM_RBUTTONDBLCLK:
            Fire(OnRDblClick);
            break;
        case WM_MOUSEMOVE:
            Fire(OnMouseMove, at);
            break;
        case kTrayMouseEnter:
            Fire(OnMouseEnter);
            break;
        case kTrayMouseExit:
            Fire(OnMouseExit);
            break;
        case kTrayMouseClick:
            Fire(OnMouseClick, static_cast<TrayButton>(wParam));
            break;
        default:
            break;
    }
    return 0;
}

void TTrayIcon::ButtonDown(TrayButton button, HMENU menu, POINT at) {
    if (menu != nullptr && autoPopup_) {
        PopupMenu(menu, at);
    } else {
        Fire(OnMouseDown, button, at);
    }
}

void TTrayIcon::PopupMenu(HMENU menu, POINT at) {
    HWND menuOwner = owner_ != nullptr ? owner_ : window_.Handle();
    // A menu whose owner is not in front does not close when the user clicks elsewhere.
    ++menuDepth_;
    SetForegroundWindow(menuOwner);
    ProcessPendingMessages();
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, menuOwner, nullptr);
    --menuDepth_;
    // Lets the owner's thread see a message after the menu, so the next menu opens cleanly.
    PostMessageA(menuOwner, WM_NULL, 0, 0);
}

void TTrayIcon::ApplicationMinimized() {
    if (visible_ && minimized_) {
        AddIcon();
    }
    if (visible_ && hideOnTaskBar_) {
        ShowWindow(owner_, SW_HIDE);
    }
}

void TTrayIcon::ApplicationRestored() {
    if (minimized_) {
        taskIcon_.Hide();
        SetForegroundWindow(owner_);
    }
}

void TTrayIcon::OwnerSized(WPARAM sizeType) {
    try {
        if (sizeType == SIZE_MINIMIZED) {
            if (!ownerIconic_) {
                ownerIconic_ = true;
                ApplicationMinimized();
            }
        } else if (ownerIconic_ && (sizeType == SIZE_RESTORED || sizeType == SIZE_MAXIMIZED)) {
            ownerIconic_ = false;
            ApplicationRestored();
        }
    } catch (const std::exception& error) {
        ReportError(owner_, error);
    }
}

}  // namespace vesk
