#pragma once

// One icon in the notification area: its registration with the shell (add with retries,
// update, hide, delete, re-add after the task bar is re-created) and the mouse tracker that
// turns the shell's notifications into enter, leave and click notices. The logic talks to
// the system only through TrayShell, so it runs against a scripted shell in tests; the
// Win32 side (hidden window, Shell_NotifyIconA) is in win32/Win32TrShlApi.h.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/AnsiError.h"

namespace vesk {

// Window messages as the Win32 headers number them.
inline constexpr std::uint32_t kWmQueryEndSession = 0x0011;
inline constexpr std::uint32_t kWmTimer = 0x0113;
inline constexpr std::uint32_t kWmMouseMove = 0x0200;
inline constexpr std::uint32_t kWmLButtonDown = 0x0201;
inline constexpr std::uint32_t kWmLButtonUp = 0x0202;
inline constexpr std::uint32_t kWmLButtonDblClk = 0x0203;
inline constexpr std::uint32_t kWmRButtonDown = 0x0204;
inline constexpr std::uint32_t kWmRButtonUp = 0x0205;
inline constexpr std::uint32_t kWmRButtonDblClk = 0x0206;
inline constexpr std::uint32_t kWmMButtonDown = 0x0207;
inline constexpr std::uint32_t kWmMButtonUp = 0x0208;
inline constexpr std::uint32_t kWmMButtonDblClk = 0x0209;

// The icon's messages to its hidden window (WM_USER + 200). wParam 1 and a mouse message
// in lParam come from the shell; the notices below come from the tracker (wParam 0, or the
// button for a click).
inline constexpr std::uint32_t kTrayIconMessage = 0x04C8;
inline constexpr std::intptr_t kTrayMouseEnter = 0x04D2;
inline constexpr std::intptr_t kTrayMouseExit = 0x04D3;
inline constexpr std::intptr_t kTrayMouseClick = 0x04D4;
// To the owner only: the task bar was re-created.
inline constexpr std::uint32_t kTrayTaskbarRestarted = 0x04DC;
// wParam of the button press posted after a double click (0xFFFFFFFF, negative as a
// 32-bit value): the tracker does not count it as a press.
inline constexpr std::uintptr_t kPostedPress = 0xFFFFFFFF;

inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr std::uintptr_t kClickTimerId = 7;
inline constexpr std::uintptr_t kLeavePollTimerId = 8;
inline constexpr std::uint32_t kLeavePollInterval = 100;
inline constexpr std::int32_t kTrackingRectMaxSize = 32;
inline constexpr std::uint32_t kAddRetryWait = 2000;
inline constexpr int kAddRetries = 5;
inline constexpr std::uint32_t kErrorTimeout = 1460;  // ERROR_TIMEOUT

// Shell_NotifyIcon's operations and the record's flags and states.
enum class NotifyIconAction : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };
inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;
inline constexpr std::uint32_t kNifState = 8;
inline constexpr std::uint32_t kNisHidden = 1;
inline constexpr std::uint32_t kNisSharedIcon = 2;
inline constexpr std::uint32_t kNisStateMaskAll = 3;

// Shell 5.0: the first with icon states and 128-byte tips.
inline constexpr std::uint32_t kShellVersion5 = 0x00050000;
inline constexpr std::size_t kTipMaxBytes = 127;
inline constexpr std::size_t kOldTipMaxBytes = 63;

enum class TrayButton : std::uintptr_t { Left = 0, Right = 1, Middle = 2 };

struct TrayPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The tracking rectangle, edges included; all four 0 is the empty rectangle.
struct TrayRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool Contains(TrayPoint p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    bool operator==(const TrayRect&) const = default;
};

// NOTIFYICONDATA without the window: the shell side fills in its hidden window.
struct NotifyIconRecord {
    bool shell5Layout = false;  // the record with state fields (shell 5.0 and later)
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint32_t callbackMessage = 0;
    std::uintptr_t icon = 0;  // HICON
    std::string tip;          // ANSI, already cut to the layout's size
    std::uint32_t state = 0;
    std::uint32_t stateMask = 0;
    std::uint32_t infoFlags = 0;
};

// User-facing failure to put the icon into the notification area.
class ENotifyIconError : public AnsiError {
public:
    using AnsiError::AnsiError;
};

// "タスクトレイにアイコンを登録できません。": the shell refused the icon outright.
const std::string& CannotRegisterIconMessage();
// "タスクトレイのアイコンを変更できません。": the shell still timed out after the last retry.
const std::string& CannotModifyIconMessage();

// What the icon needs from the system; every call concerns the icon's hidden window.
class TrayShell {
public:
    virtual ~TrayShell() = default;

    // Shell_NotifyIcon; false when the shell refuses. LastError is the error it left.
    virtual bool NotifyIcon(NotifyIconAction action, const NotifyIconRecord& record) = 0;
    virtual std::uint32_t LastError() const = 0;
    // SetForegroundWindow(hidden window).
    virtual void BringToForeground() = 0;
    virtual TrayPoint CursorPos() = 0;
    virtual std::uint32_t DoubleClickTime() = 0;
    // Timers of the hidden window: they arrive as kWmTimer with the id in wParam.
    virtual void SetTimer(std::uintptr_t id, std::uint32_t milliseconds) = 0;
    virtual void KillTimer(std::uintptr_t id) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // SendMessage and PostMessage to the hidden window.
    virtual std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) = 0;
    virtual void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // DefWindowProc of the hidden window.
    virtual std::intptr_t DefaultHandling(std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam) = 0;
    // The registered "TaskbarCreated" message (0 when it could not be registered).
    virtual std::uint32_t TaskbarCreatedMessage() const = 0;
};

// The shell version as (major << 16) | minor from a FileVersion string such as
// "6.00.2900.5512" or "10.0.19041.1"; 0 when it does not start with two numbers.
std::uint32_t ShellVersionFromFileVersion(std::string_view fileVersion);

// The tip text as the shell of that version takes it: cut to 127 bytes, or on an older
// shell with each CR LF made one blank and cut to 63 bytes.
std::string TipForShell(std::string_view text, std::uint32_t shellVersion);

// Polls, while the pointer is over the icon, whether it has left: a 100 ms timer of the
// user-interface thread, running only between an entry and the leave it detects.
class TMouseEventMaker {
public:
    explicit TMouseEventMaker(TrayShell& shell) : shell_(shell) {}
    ~TMouseEventMaker() { Stop(); }
    TMouseEventMaker(const TMouseEventMaker&) = delete;
    TMouseEventMaker& operator=(const TMouseEventMaker&) = delete;

    void Start();
    void Stop();
    bool Running() const { return running_; }

private:
    TrayShell& shell_;
    bool running_ = false;
};

// The mouse tracker: the tracking rectangle of the pointer positions seen over the icon,
// the button-down bits, entering and leaving, and single versus double click.
class TToolTipStyle {
public:
    explicit TToolTipStyle(TrayShell& shell) : shell_(shell), eventMaker_(shell) {}

    // Sees every message of the hidden window before the owner does.
    void HandleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    void EmptyTrackingRect() { rect_ = TrayRect{}; }
    const TrayRect& TrackingRect() const { return rect_; }
    bool Inside() const { return (bits_ & kInside) != 0; }
    bool ClickTimerRunning() const { return clickTimerRunning_; }

    bool CheckSingleDoubleClick() const { return checkSingleDoubleClick_; }
    void SetCheckSingleDoubleClick(bool on) { checkSingleDoubleClick_ = on; }

private:
    static constexpr std::uint32_t kLeftDown = 1;
    static constexpr std::uint32_t kRightDown = 2;
    static constexpr std::uint32_t kMiddleDown = 4;
    static constexpr std::uint32_t kInside = 8;

    void MouseMoved();
    void CheckLeave();
    void ClickTimerElapsed();
    void ReportClick(TrayButton button);
    void Extend(TrayPoint point);

    TrayShell& shell_;
    TMouseEventMaker eventMaker_;
    TrayRect rect_;
    std::uint32_t bits_ = 0;
    bool clickTimerRunning_ = false;
    bool checkSingleDoubleClick_ = false;
};

// One registration with the shell. The owner's handler gets every message of the hidden
// window after the re-creation handling and the tracker.
class TTaskTrayIcon {
public:
    using OwnerHandler = std::function<std::intptr_t(std::uint32_t, std::uintptr_t, std::intptr_t)>;

    TTaskTrayIcon(TrayShell& shell, std::uint32_t shellVersion);
    // Deletes the icon if it is registered.
    ~TTaskTrayIcon();
    TTaskTrayIcon(const TTaskTrayIcon&) = delete;
    TTaskTrayIcon& operator=(const TTaskTrayIcon&) = delete;

    // Adds the icon (or shows it again if hidden), retrying while the shell times out.
    // Returns whether it is shown; throws ENotifyIconError when the shell refuses.
    bool Add();
    // After a change of tip or icon. Throws only where Add throws.
    void Update();
    // Takes the icon out of sight; on shell 5.0 and later it stays registered.
    void Hide();
    void Delete();

    std::intptr_t HandleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    void SetTip(std::string_view text) { tip_ = TipForShell(text, shellVersion_); }
    const std::string& Tip() const { return tip_; }
    void SetIcon(std::uintptr_t icon) { icon_ = icon; }
    std::uintptr_t Icon() const { return icon_; }
    void SetOwnerHandler(OwnerHandler handler) { ownerHandler_ = std::move(handler); }
    void SetDoForegroundWindow(bool on) { doForegroundWindow_ = on; }

    bool Registered() const { return registered_; }
    bool Shown() const { return shown_; }
    std::uint32_t ShellVersion() const { return shellVersion_; }
    bool Shell5() const { return shellVersion_ >= kShellVersion5; }
    TToolTipStyle& ToolTipStyle() { return toolTipStyle_; }
    const NotifyIconRecord& Record() const { return record_; }

private:
    void FillRecord();
    bool Notify(NotifyIconAction action, bool foreground);
    void MarkAdded();
    void TaskbarCreated(std::uintptr_t wParam, std::intptr_t lParam);

    TrayShell& shell_;
    std::uint32_t shellVersion_;
    NotifyIconRecord record_;
    std::string tip_;
    std::uintptr_t icon_ = 0;
    bool registered_ = false;
    bool shown_ = false;
    bool wanted_ = false;  // added and not hidden or deleted since, whether the shell took it
    bool doForegroundWindow_ = false;
    OwnerHandler ownerHandler_;
    TToolTipStyle toolTipStyle_;
};

}  // namespace vesk
