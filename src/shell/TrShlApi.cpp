#include "shell/TrShlApi.h"

#include <charconv>

#include "common/AnsiText.h"
#include "common/ProgramText.h"

namespace vesk {

namespace {

constexpr ProgramText kCannotRegisterIcon{"タスクトレイにアイコンを登録できません。"};
constexpr ProgramText kCannotModifyIcon{"タスクトレイのアイコンを変更できません。"};

// Reads the decimal number at the front of text and removes it; false when there is none.
bool TakeNumber(std::string_view& text, std::uint32_t& value) {
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || next == text.data()) {
        return false;
    }
    text.remove_prefix(static_cast<std::size_t>(next - text.data()));
    return true;
}

// Compared as signed numbers of the message's own width, which is 32 bits on x86.
constexpr std::intptr_t kFirstButtonMessage = kWmLButtonDown;
constexpr std::intptr_t kLastButtonMessage = kWmMButtonDblClk;

bool IsPressOrRelease(std::intptr_t mouseMessage) {
    return mouseMessage >= kFirstButtonMessage && mouseMessage <= kLastButtonMessage;
}

// The button of a press, release or double-click message (they come in threes).
TrayButton ButtonOf(std::intptr_t mouseMessage) {
    return static_cast<TrayButton>((mouseMessage - kFirstButtonMessage) / 3);
}

std::uint32_t DownBitOf(TrayButton button) {
    return 1u << static_cast<unsigned>(button);
}

}  // namespace

const std::string& CannotRegisterIconMessage() {
    return kCannotRegisterIcon.Ansi();
}

const std::string& CannotModifyIconMessage() {
    return kCannotModifyIcon.Ansi();
}

std::uint32_t ShellVersionFromFileVersion(std::string_view fileVersion) {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    if (!TakeNumber(fileVersion, major) || fileVersion.empty() || fileVersion.front() != '.') {
        return 0;
    }
    fileVersion.remove_prefix(1);
    if (!TakeNumber(fileVersion, minor) || major > 0xFFFF || minor > 0xFFFF) {
        return 0;
    }
    return (major << 16) | minor;
}

std::string TipForShell(std::string_view text, std::uint32_t shellVersion) {
    if (shellVersion >= kShellVersion5) {
        return std::string(text.substr(0, kTipMaxBytes));
    }
    // The old shell's tip is one line.
    std::string tip = ReplaceBytes(text, "\r\n", " ");
    if (tip.size() > kOldTipMaxBytes) {
        tip.resize(kOldTipMaxBytes);
    }
    return tip;
}

void TMouseEventMaker::Start() {
    if (!running_) {
        shell_.SetTimer(kLeavePollTimerId, kLeavePollInterval);
        running_ = true;
    }
}

void TMouseEventMaker::Stop() {
    if (running_) {
        shell_.KillTimer(kLeavePollTimerId);
        running_ = false;
    }
}

void TToolTipStyle::HandleMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    if (message == kWmTimer) {
        if (wParam == kClickTimerId) {
            ClickTimerElapsed();
        } else if (wParam == kLeavePollTimerId) {
            CheckLeave();
        }
        return;
    }
    if (message != kTrayIconMessage) {
        return;
    }
    if (lParam == kWmMouseMove) {
        MouseMoved();
        return;
    }
    if (!IsPressOrRelease(lParam)) {
        return;
    }
    const TrayButton button = ButtonOf(lParam);
    switch ((lParam - kFirstButtonMessage) % 3) {
        case 0:  // press
            if (static_cast<std::int32_t>(static_cast<std::uint32_t>(wParam)) >= 0) {
                bits_ |= DownBitOf(button);
            }
            break;
        case 1:  // release
            if (!checkSingleDoubleClick_) {
                ReportClick(button);
            } else if (!clickTimerRunning_) {
                shell_.SetTimer(kClickTimerId, shell_.DoubleClickTime());
                clickTimerRunning_ = true;
            }
            break;
        default:  // double click: no click; the press posted here opens the menu again
            clickTimerRunning_ = false;
            bits_ &= ~DownBitOf(button);
            shell_.Post(kTrayIconMessage, kPostedPress,
                        kFirstButtonMessage + 3 * static_cast<std::intptr_t>(button));
            break;
    }
}

void TToolTipStyle::MouseMoved() {
    const TrayPoint point = shell_.CursorPos();
    Extend(point);
    if (rect_.right - rect_.left > kTrackingRectMaxSize ||
        rect_.bottom - rect_.top > kTrackingRectMaxSize) {
        // Far from what was seen before: the icon has moved, start the rectangle afresh.
        rect_ = TrayRect{};
        Extend(point);
    }
    if (!Inside()) {
        bits_ |= kInside;
        eventMaker_.Start();
        shell_.Send(kTrayIconMessage, 0, kTrayMouseEnter);
    }
}

void TToolTipStyle::Extend(TrayPoint point) {
    if (rect_.IsEmpty()) {
        rect_ = TrayRect{point.x, point.y, point.x, point.y};
        return;
    }
    if (point.x < rect_.left) {
        rect_.left = point.x;
    }
    if (point.x > rect_.right) {
        rect_.right = point.x;
    }
    if (point.y < rect_.top) {
        rect_.top = point.y;
    }
    if (point.y > rect_.bottom) {
        rect_.bottom = point.y;
    }
}

void TToolTipStyle::CheckLeave() {
    if (!Inside()) {
        eventMaker_.Stop();
        return;
    }
    if (!rect_.Contains(shell_.CursorPos())) {
        bits_ &= ~kInside;
        eventMaker_.Stop();
        shell_.Send(kTrayIconMessage, 0, kTrayMouseExit);
    }
}

void TToolTipStyle::ClickTimerElapsed() {
    shell_.KillTimer(kClickTimerId);
    if (!clickTimerRunning_) {
        return;
    }
    for (TrayButton button : {TrayButton::Left, TrayButton::Right, TrayButton::Middle}) {
        if ((bits_ & DownBitOf(button)) != 0) {
            ReportClick(button);
            break;
        }
    }
    // A release without a counted press (the one after a double click) reports nothing;
    // the timer must still count as stopped, or no later release would start it again.
    clickTimerRunning_ = false;
}

void TToolTipStyle::ReportClick(TrayButton button) {
    const std::uint32_t bit = DownBitOf(button);
    if ((bits_ & bit) != 0) {
        shell_.Send(kTrayIconMessage, static_cast<std::uintptr_t>(button), kTrayMouseClick);
    }
    clickTimerRunning_ = false;
    bits_ &= ~bit;
}

TTaskTrayIcon::TTaskTrayIcon(TrayShell& shell, std::uint32_t shellVersion)
    : shell_(shell), shellVersion_(shellVersion), toolTipStyle_(shell) {}

TTaskTrayIcon::~TTaskTrayIcon() {
    Delete();
}

void TTaskTrayIcon::FillRecord() {
    record_ = NotifyIconRecord{};
    record_.shell5Layout = Shell5();
    record_.id = kTrayIconId;
    record_.flags = kNifMessage | kNifIcon | kNifTip;
    record_.callbackMessage = kTrayIconMessage;
    record_.icon = icon_;
    record_.tip = tip_;
    if (Shell5()) {
        record_.state = kNisSharedIcon;
        record_.stateMask = 0;
    }
}

bool TTaskTrayIcon::Notify(NotifyIconAction action, bool foreground) {
    if (foreground && doForegroundWindow_) {
        shell_.BringToForeground();
    }
    return shell_.NotifyIcon(action, record_);
}

void TTaskTrayIcon::MarkAdded() {
    registered_ = true;
    shown_ = true;
    toolTipStyle_.EmptyTrackingRect();
}

bool TTaskTrayIcon::Add() {
    wanted_ = true;
    if (shown_) {
        return true;
    }
    FillRecord();
    if (record_.icon == 0) {
        return false;
    }
    if (registered_) {
        // Registered but hidden: show it again.
        record_.state = 0;
        record_.flags |= kNifState;
        record_.stateMask = kNisStateMaskAll;
        if (Notify(NotifyIconAction::Modify, true)) {
            shown_ = true;
        }
        return shown_;
    }
    if (Notify(NotifyIconAction::Add, true)) {
        MarkAdded();
        return true;
    }
    // A busy shell answers with a time-out and may have taken the icon all the same.
    for (int counter = kAddRetries; !shown_ && counter >= 0; --counter) {
        if (shell_.LastError() != kErrorTimeout) {
            throw ENotifyIconError(CannotRegisterIconMessage());
        }
        shell_.Sleep(kAddRetryWait);
        if (Notify(NotifyIconAction::Modify, true)) {
            MarkAdded();
            break;
        }
        registered_ = false;
        shown_ = false;
        if (Notify(NotifyIconAction::Add, true)) {
            MarkAdded();
            break;
        }
        if (counter == 0) {
            throw ENotifyIconError(CannotModifyIconMessage());
        }
    }
    return shown_;
}

void TTaskTrayIcon::Update() {
    if (!shown_) {
        Add();
        return;
    }
    record_.icon = icon_;
    record_.tip = tip_;
    if (Notify(NotifyIconAction::Modify, true) || shell_.LastError() == kErrorTimeout) {
        return;
    }
    // The shell lost the icon: register it afresh; a refusal here is not worth a message.
    registered_ = false;
    shown_ = false;
    try {
        Add();
    } catch (const ENotifyIconError&) {
    }
}

void TTaskTrayIcon::Hide() {
    wanted_ = false;
    if (!Shell5()) {
        Delete();
        return;
    }
    if (registered_ && shown_) {
        record_.flags = kNifState;
        record_.state = kNisHidden;
        record_.stateMask = kNisStateMaskAll;
        Notify(NotifyIconAction::Modify, false);
        record_.state = 0;
        shown_ = false;
    }
}

void TTaskTrayIcon::Delete() {
    wanted_ = false;
    if (registered_) {
        Notify(NotifyIconAction::Delete, false);
    }
    registered_ = false;
    shown_ = false;
}

void TTaskTrayIcon::TaskbarCreated(std::uintptr_t wParam, std::intptr_t lParam) {
    // The new shell knows none of the old icons, and may take one that the old shell
    // refused (a program started before the task bar was ready).
    if (shown_ || (wanted_ && !registered_)) {
        registered_ = false;
        shown_ = false;
        try {
            Add();
        } catch (const ENotifyIconError&) {
            // The message also comes when the shell has kept the icon (a tray that starts
            // after the program, another program broadcasting it): then the icon is there.
            if (!Notify(NotifyIconAction::Modify, true)) {
                throw;
            }
            MarkAdded();
        }
    } else if (registered_) {
        registered_ = false;
    }
    if (ownerHandler_) {
        ownerHandler_(kTrayTaskbarRestarted, wParam, lParam);
    }
}

std::intptr_t TTaskTrayIcon::HandleMessage(std::uint32_t message, std::uintptr_t wParam,
                                           std::intptr_t lParam) {
    const std::uint32_t taskbarCreated = shell_.TaskbarCreatedMessage();
    if (taskbarCreated != 0 && message == taskbarCreated) {
        TaskbarCreated(wParam, lParam);
    }
    toolTipStyle_.HandleMessage(message, wParam, lParam);
    if (ownerHandler_) {
        return ownerHandler_(message, wParam, lParam);
    }
    return shell_.DefaultHandling(message, wParam, lParam);
}

}  // namespace vesk
