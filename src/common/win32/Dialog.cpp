#include "common/win32/Dialog.h"

#include <commctrl.h>

#include <exception>

#include "common/win32/DpiRescale.h"
#include "common/win32/ErrorReport.h"
#include "common/win32/LateBound.h"
#include "common/win32/Window.h"
#include "common/win32/WindowDpi.h"

namespace vesk {

namespace {

// Modeless dialogs of this class alive on this thread (from WM_INITDIALOG to WM_NCDESTROY).
thread_local int t_modelessDialogs = 0;

// The common controls the dialogs use, registered once before the first template is read.
void RegisterCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES |
                         ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES;
        // comctl32 loads with the first dialog, not with the program.
        const auto initialise =
            LateBound<decltype(InitCommonControlsEx)>(kComCtl32, "InitCommonControlsEx");
        return initialise != nullptr && initialise(&controls) != FALSE;
    }();
    static_cast<void>(registered);
}

// The dialog rescales itself on WM_DPICHANGED: the system's rescaling of dialogs (Windows 10
// 1703 and later) would do it a second time.
void TurnOffSystemDpiRescaling(HWND dialog) {
    using SetDialogDpiChangeBehaviorFunction = BOOL WINAPI(HWND, int, int);
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    static const auto setBehavior =
        LateBound<SetDialogDpiChangeBehaviorFunction>(kUser32, "SetDialogDpiChangeBehavior");
    if (setBehavior != nullptr) {
        setBehavior(dialog, kDisableAll, kDisableAll);
    }
}

}  // namespace

Dialog::~Dialog() {
    if (hwnd_ != nullptr) {
        // The object dies first: detach it so that late messages get default handling.
        const HWND hwnd = hwnd_;
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        hwnd_ = nullptr;
        if (modal_) {
            EndDialog(hwnd, IDCANCEL);
        } else {
            DestroyWindow(hwnd);
        }
    }
}

bool Dialog::AnyModelessOnThread() {
    return t_modelessDialogs > 0;
}

Dialog* Dialog::FromHandle(HWND hwnd) {
    // Only dialogs run by this class: other dialogs keep their own data in DWLP_USER.
    if (hwnd == nullptr ||
        GetClassLongPtrA(hwnd, GCW_ATOM) != reinterpret_cast<ULONG_PTR>(WC_DIALOG) ||
        GetWindowLongPtrA(hwnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&DialogProc)) {
        return nullptr;
    }
    return reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

INT_PTR Dialog::ShowModal(HWND owner) {
    RegisterCommonControls();
    modal_ = true;
    return DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(templateId_), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND owner) {
    RegisterCommonControls();
    modal_ = false;
    return CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(templateId_), owner, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::Show() {
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void Dialog::End(INT_PTR result) {
    if (hwnd_ == nullptr) {
        return;
    }
    if (modal_) {
        EndDialog(hwnd_, result);
    } else {
        DestroyWindow(hwnd_);
    }
}

std::string Dialog::ItemText(int id) const {
    const HWND item = Item(id);
    const int length = GetWindowTextLengthA(item);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(item, text.data(), length + 1)));
    return text;
}

void Dialog::SetItemText(int id, std::string_view text) {
    SetDlgItemTextA(hwnd_, id, std::string(text).c_str());
}

bool Dialog::Checked(int id) const {
    return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void Dialog::SetChecked(int id, bool checked) {
    CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Dialog::ShowItem(int id, bool visible) {
    ShowWindow(Item(id), visible ? SW_SHOWNA : SW_HIDE);
}

void Dialog::EnableItem(int id, bool enabled) {
    EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

bool Dialog::OnCommand(int id, int, HWND) {
    switch (id) {
        case IDOK:
            OnOK();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
        default:
            return false;
    }
}

bool Dialog::OnNotify(const NMHDR&, LRESULT&) {
    return false;
}

void Dialog::OnScroll(int, int) {}

void Dialog::OnSize(int, int) {}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) {
    return false;
}

void Dialog::SetAnchors(std::span<const DialogAnchor> table) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    anchorClientWidth_ = client.right;
    anchorClientHeight_ = client.bottom;
    anchored_.clear();
    for (const DialogAnchor& row : table) {
        const HWND control = Item(row.controlId);
        if (control == nullptr) {
            continue;
        }
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        anchored_.push_back({control, row.anchors, {r.left, r.top, r.right, r.bottom}});
    }
    if (minTrackSize_.cx == 0 && minTrackSize_.cy == 0) {
        RECT window{};
        GetWindowRect(hwnd_, &window);
        minTrackSize_ = {window.right - window.left, window.bottom - window.top};
    }
}

void Dialog::SetMinTrackSize(int width, int height) {
    const DpiScale scale = Scale();
    minTrackSize_ = {scale(width), scale(height)};
}

DpiScale Dialog::Scale() const {
    return dpi_ != 0 ? DpiScale(dpi_) : WindowScale(hwnd_);
}

void Dialog::PlaceControls(std::span<const ControlPlace> table) {
    vesk::PlaceControls(hwnd_, table, Scale());
}

SIZE Dialog::ClientSize() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const DpiScale scale = Scale();
    return {scale.Unscaled(client.right), scale.Unscaled(client.bottom)};
}

void Dialog::SetWindowSize(int width, int height) {
    const DpiScale scale = Scale();
    SetWindowPos(hwnd_, nullptr, 0, 0, scale(width), scale(height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::SetClientSize(int width, int height) {
    const DpiScale scale = Scale();
    RECT r{0, 0, scale(width), scale(height)};
    AdjustWindowRectAtDpi(r, static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)),
                          GetMenu(hwnd_) != nullptr,
                          static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_EXSTYLE)), scale.Dpi());
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::CentreInWorkArea() {
    const HWND owner = GetWindow(hwnd_, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        return;
    }
    RECT window{};
    GetWindowRect(hwnd_, &window);
    const RECT& work = monitor.rcWork;
    SetWindowPos(hwnd_, nullptr, (work.left + work.right - (window.right - window.left)) / 2,
                 (work.top + work.bottom - (window.bottom - window.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every control from where the table took it, so that no rounding piles up.
void Dialog::ApplyAnchors(int clientWidth, int clientHeight) {
    if (anchored_.empty()) {
        return;
    }
    HDWP positions = BeginDeferWindowPos(static_cast<int>(anchored_.size()));
    for (const AnchoredControl& a : anchored_) {
        const TRect b = AnchoredBounds(a.bounds, a.anchors, anchorClientWidth_, anchorClientHeight_,
                                       clientWidth, clientHeight);
        if (positions != nullptr) {
            positions = DeferWindowPos(positions, a.control, nullptr, b.left, b.top, b.Width(),
                                       b.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (positions != nullptr) {
        EndDeferWindowPos(positions);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// A dialog inside the one whose DPI changed (a page) is drawn at the new DPI too.
BOOL CALLBACK Dialog::TakeDpi(HWND child, LPARAM dpi) {
    if (Dialog* inner = FromHandle(child)) {
        inner->dpi_ = static_cast<int>(dpi);
    }
    return TRUE;
}

// Rescaled before the window takes its new size, so that the anchoring that size sets off
// starts from places and sizes of the new DPI.
void Dialog::ChangeDpi(int dpi, const RECT& suggested) {
    const DpiScale old = Scale();
    const DpiScale scale(dpi);
    dpi_ = dpi;
    EnumChildWindows(hwnd_, TakeDpi, dpi);
    RescaleChildren(hwnd_, old, scale, dpiFonts_);
    for (AnchoredControl& a : anchored_) {
        const TRect& b = a.bounds;
        const int left = scale.From(old, b.left);
        const int top = scale.From(old, b.top);
        a.bounds = {left, top, left + scale.From(old, b.Width()),
                    top + scale.From(old, b.Height())};
    }
    anchorClientWidth_ = scale.From(old, anchorClientWidth_);
    anchorClientHeight_ = scale.From(old, anchorClientHeight_);
    minTrackSize_ = {scale.From(old, minTrackSize_.cx), scale.From(old, minTrackSize_.cy)};
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    OnDpiChanged(old);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            dpi_ = WindowDpi(hwnd_);
            TurnOffSystemDpiRescaling(hwnd_);
            PlaceControls(places_);
            return OnInit() ? TRUE : FALSE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))
                       ? TRUE
                       : FALSE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) {
                SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
                return TRUE;
            }
            return FALSE;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (lParam != 0) {
                OnScroll(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam));
                return TRUE;
            }
            break;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                ApplyAnchors(LOWORD(lParam), HIWORD(lParam));
                OnSize(LOWORD(lParam), HIWORD(lParam));
            }
            return TRUE;
        case WM_GETMINMAXINFO:
            if (minTrackSize_.cx > 0 || minTrackSize_.cy > 0) {
                auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                info->ptMinTrackSize.x = minTrackSize_.cx;
                info->ptMinTrackSize.y = minTrackSize_.cy;
                return TRUE;
            }
            break;
        case WM_DPICHANGED: {
            const DpiChange change = DpiChangeOf(wParam, lParam);
            ChangeDpi(change.dpi, change.suggested);
            return TRUE;
        }
        case WM_CLOSE:
            // The close box: as the cancel button.
            OnCancel();
            return TRUE;
        default:
            break;
    }
    INT_PTR result = FALSE;
    return OnMessage(message, wParam, lParam, result) ? result : FALSE;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        if (!self->modal_) {
            ++t_modelessDialogs;
        }
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }

    const OwnCall call(*self);
    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (const std::exception& error) {
        ReportError(hwnd, error);
    }
    if (!call.ObjectAlive()) {
        return result;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        if (!self->modal_) {
            --t_modelessDialogs;
        }
        self->hwnd_ = nullptr;
        self->dpi_ = 0;
        self->anchored_.clear();
        self->dpiFonts_.clear();
        self->OnDestroyed();
        // Last: the handler may let go of the object, which goes when this call returns.
        if (std::function<void()> destroyed = std::move(self->destroyed_)) {
            destroyed();
        }
    }
    return result;
}

}  // namespace vesk
