#include "shell/TrShlApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "TestText.h"

namespace vesk {
namespace {

struct Message {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const Message&) const = default;
};

constexpr std::uint32_t kTaskbarCreated = 0xC0DE;
constexpr std::intptr_t kDefaultResult = 0x5A5A;
constexpr std::uintptr_t kIcon = 0x1234;

// A shell whose Shell_NotifyIcon answers are scripted and whose window messages go
// straight to the icon under test.
class FakeShell : public TrayShell {
public:
    struct Answer {
        bool done;
        std::uint32_t error;
    };
    struct Call {
        NotifyIconAction action;
        NotifyIconRecord record;
    };

    bool NotifyIcon(NotifyIconAction action, const NotifyIconRecord& record) override {
        calls.push_back({action, record});
        Answer answer{true, 0};
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        lastError = answer.done ? 0 : answer.error;
        return answer.done;
    }
    std::uint32_t LastError() const override { return lastError; }
    void BringToForeground() override { events.push_back("foreground"); }
    TrayPoint CursorPos() override { return cursor; }
    std::uint32_t DoubleClickTime() override { return doubleClickTime; }
    void SetTimer(std::uintptr_t id, std::uint32_t milliseconds) override {
        timers.insert(id);
        timerStarts.push_back({id, milliseconds});
    }
    void KillTimer(std::uintptr_t id) override { timers.erase(id); }
    void Sleep(std::uint32_t milliseconds) override { slept += milliseconds; }
    std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) override {
        sent.push_back({message, wParam, lParam});
        return icon != nullptr ? icon->HandleMessage(message, wParam, lParam) : 0;
    }
    void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        posted.push_back({message, wParam, lParam});
    }
    std::intptr_t DefaultHandling(std::uint32_t, std::uintptr_t, std::intptr_t) override {
        return kDefaultResult;
    }
    std::uint32_t TaskbarCreatedMessage() const override { return kTaskbarCreated; }

    // A timer of the hidden window elapses (only a running one).
    void Elapse(std::uintptr_t id) {
        if (timers.count(id) != 0) {
            icon->HandleMessage(kWmTimer, id, 0);
        }
    }
    void DeliverPosted() {
        std::vector<Message> now;
        now.swap(posted);
        for (const Message& m : now) {
            icon->HandleMessage(m.message, m.wParam, m.lParam);
        }
    }
    std::vector<NotifyIconAction> Actions() const {
        std::vector<NotifyIconAction> actions;
        for (const Call& call : calls) {
            actions.push_back(call.action);
        }
        return actions;
    }

    TTaskTrayIcon* icon = nullptr;
    std::deque<Answer> answers;
    std::vector<Call> calls;
    std::uint32_t lastError = 0;
    TrayPoint cursor;
    std::uint32_t doubleClickTime = 500;
    std::set<std::uintptr_t> timers;
    std::vector<std::pair<std::uintptr_t, std::uint32_t>> timerStarts;
    std::uint32_t slept = 0;
    std::vector<Message> sent;
    std::vector<Message> posted;
    std::vector<std::string> events;
};

// An icon on a fake shell with an owner handler that notes what reaches it.
struct Fixture {
    explicit Fixture(std::uint32_t shellVersion = 0x00060000) : icon(shell, shellVersion) {
        shell.icon = &icon;
        icon.SetIcon(kIcon);
        icon.SetTip("Vesk 1.3.1");
        icon.SetOwnerHandler(
            [this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
                owner.push_back({message, wParam, lParam});
                return std::intptr_t{0};
            });
    }
    // The notices from the tracker that reached the owner (wParam, lParam).
    std::vector<Message> Notices() const {
        std::vector<Message> notices;
        for (const Message& m : owner) {
            if (m.message == kTrayIconMessage && m.lParam >= kTrayMouseEnter &&
                m.lParam <= kTrayMouseClick) {
                notices.push_back(m);
            }
        }
        return notices;
    }
    void Mouse(std::intptr_t mouseMessage, std::uintptr_t wParam = kTrayIconId) {
        icon.HandleMessage(kTrayIconMessage, wParam, mouseMessage);
    }
    void MoveTo(std::int32_t x, std::int32_t y) {
        shell.cursor = {x, y};
        Mouse(kWmMouseMove);
    }

    FakeShell shell;
    TTaskTrayIcon icon;
    std::vector<Message> owner;
};

constexpr FakeShell::Answer kTimeout{false, kErrorTimeout};
constexpr FakeShell::Answer kDone{true, 0};

TEST(TTaskTrayIcon, AddRetriesWhileTheShellTimesOut) {
    using A = NotifyIconAction;
    struct Row {
        const char* name;
        std::vector<FakeShell::Answer> answers;
        bool shown;
        const std::string* error;  // nullptr: no exception
        std::vector<A> actions;
        std::uint32_t slept;
    };
    const std::string& cannotRegister = CannotRegisterIconMessage();
    const std::string& cannotModify = CannotModifyIconMessage();
    std::vector<FakeShell::Answer> allTimeOut(13, kTimeout);
    std::vector<FakeShell::Answer> lastAddWorks(12, kTimeout);
    lastAddWorks.push_back(kDone);
    std::vector<A> thirteen{A::Add};
    for (int i = 0; i < 6; ++i) {
        thirteen.push_back(A::Modify);
        thirteen.push_back(A::Add);
    }
    const std::vector<Row> rows = {
        {"accepted", {kDone}, true, nullptr, {A::Add}, 0},
        {"time-out, then the modify finds it",
         {kTimeout, kDone},
         true,
         nullptr,
         {A::Add, A::Modify},
         2000},
        {"time-out, modify refused, add again",
         {kTimeout, {false, 0}, kDone},
         true,
         nullptr,
         {A::Add, A::Modify, A::Add},
         2000},
        {"refused outright", {{false, 5}}, false, &cannotRegister, {A::Add}, 0},
        {"refused on a retry",
         {kTimeout, kTimeout, {false, 1400}},
         false,
         &cannotRegister,
         {A::Add, A::Modify, A::Add},
         2000},
        {"six retries all time out", allTimeOut, false, &cannotModify, thirteen, 12000},
        {"the last retry succeeds", lastAddWorks, true, nullptr, thirteen, 12000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.shell.answers.assign(row.answers.begin(), row.answers.end());
        bool shown = false;
        std::string error;
        try {
            shown = f.icon.Add();
        } catch (const ENotifyIconError& e) {
            error = e.what();
        }
        EXPECT_EQ(shown, row.shown);
        EXPECT_EQ(f.icon.Shown(), row.shown);
        EXPECT_EQ(f.icon.Registered(), row.shown);
        EXPECT_EQ(error, row.error != nullptr ? *row.error : std::string());
        EXPECT_EQ(f.shell.Actions(), row.actions);
        EXPECT_EQ(f.shell.slept, row.slept);
    }
}

TEST(TTaskTrayIcon, MessagesAreTheUsersJapanese) {
    EXPECT_EQ(CannotRegisterIconMessage(), test::Ansi("タスクトレイにアイコンを登録できません。"));
    EXPECT_EQ(CannotModifyIconMessage(), test::Ansi("タスクトレイのアイコンを変更できません。"));
    const ENotifyIconError error(CannotRegisterIconMessage());
    const AnsiError& asAnsi = error;
    EXPECT_EQ(std::string(asAnsi.Message()), CannotRegisterIconMessage());
}

TEST(TTaskTrayIcon, RecordOfAPlainAdd) {
    for (std::uint32_t version : {0x00060000u, 0x00050000u, 0x00040048u}) {
        SCOPED_TRACE(version);
        Fixture f(version);
        ASSERT_TRUE(f.icon.Add());
        ASSERT_EQ(f.shell.calls.size(), 1u);
        const NotifyIconRecord& r = f.shell.calls[0].record;
        const bool shell5 = version >= kShellVersion5;
        EXPECT_EQ(r.shell5Layout, shell5);
        EXPECT_EQ(r.id, 1u);
        EXPECT_EQ(r.flags, 7u);
        EXPECT_EQ(r.callbackMessage, 0x04C8u);
        EXPECT_EQ(r.icon, kIcon);
        EXPECT_EQ(r.tip, "Vesk 1.3.1");
        EXPECT_EQ(r.state, shell5 ? 2u : 0u);
        EXPECT_EQ(r.stateMask, 0u);
        EXPECT_EQ(r.infoFlags, 0u);
    }
}

TEST(TTaskTrayIcon, NoIconHandleAddsNothing) {
    Fixture f;
    f.icon.SetIcon(0);
    EXPECT_FALSE(f.icon.Add());
    EXPECT_TRUE(f.shell.calls.empty());
    EXPECT_FALSE(f.icon.Registered());
}

TEST(TTaskTrayIcon, HideKeepsTheRegistrationOnShell5) {
    using A = NotifyIconAction;
    Fixture f;
    ASSERT_TRUE(f.icon.Add());
    f.icon.Hide();
    EXPECT_TRUE(f.icon.Registered());
    EXPECT_FALSE(f.icon.Shown());
    ASSERT_EQ(f.shell.Actions(), (std::vector<A>{A::Add, A::Modify}));
    const NotifyIconRecord& hide = f.shell.calls[1].record;
    EXPECT_EQ(hide.flags, kNifState);
    EXPECT_EQ(hide.state, kNisHidden);
    EXPECT_EQ(hide.stateMask, 3u);

    // Showing it again only changes its state.
    ASSERT_TRUE(f.icon.Add());
    ASSERT_EQ(f.shell.Actions(), (std::vector<A>{A::Add, A::Modify, A::Modify}));
    const NotifyIconRecord& show = f.shell.calls[2].record;
    EXPECT_EQ(show.flags, 7u | kNifState);
    EXPECT_EQ(show.state, 0u);
    EXPECT_EQ(show.stateMask, 3u);
    EXPECT_TRUE(f.icon.Shown());

    // An old shell has no hidden state: the icon goes.
    Fixture old(0x00040048);
    ASSERT_TRUE(old.icon.Add());
    old.icon.Hide();
    EXPECT_EQ(old.shell.Actions(), (std::vector<A>{A::Add, A::Delete}));
    EXPECT_FALSE(old.icon.Registered());
}

TEST(TTaskTrayIcon, UpdateModifiesOrRegistersAfresh) {
    using A = NotifyIconAction;
    struct Row {
        const char* name;
        std::vector<FakeShell::Answer> answers;  // after the first add
        std::vector<A> actions;                  // after the first add
        bool shown;
    };
    const std::vector<Row> rows = {
        {"modified", {kDone}, {A::Modify}, true},
        {"time-out counts as done", {kTimeout}, {A::Modify}, true},
        {"lost icon added again", {{false, 5}, kDone}, {A::Modify, A::Add}, true},
        {"second refusal swallowed", {{false, 5}, {false, 5}}, {A::Modify, A::Add}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        ASSERT_TRUE(f.icon.Add());
        f.shell.calls.clear();
        f.shell.answers.assign(row.answers.begin(), row.answers.end());
        f.icon.SetTip("new tip");
        EXPECT_NO_THROW(f.icon.Update());
        EXPECT_EQ(f.shell.Actions(), row.actions);
        EXPECT_EQ(f.shell.calls.front().record.tip, "new tip");
        EXPECT_EQ(f.icon.Shown(), row.shown);
    }

    // Not shown yet: the update adds, and a refusal reaches the caller.
    Fixture f;
    f.shell.answers = {{false, 5}};
    EXPECT_THROW(f.icon.Update(), ENotifyIconError);
}

TEST(TTaskTrayIcon, ForegroundOnlyForAddAndUpdate) {
    Fixture f;
    f.icon.SetDoForegroundWindow(true);
    f.shell.answers = {kTimeout, kDone};
    ASSERT_TRUE(f.icon.Add());
    f.icon.Update();
    f.icon.Hide();
    f.icon.Delete();
    EXPECT_EQ(f.shell.calls.size(), 5u);
    EXPECT_EQ(f.shell.events.size(), 3u);

    Fixture off;
    ASSERT_TRUE(off.icon.Add());
    EXPECT_TRUE(off.shell.events.empty());
}

TEST(TTaskTrayIcon, TaskbarCreatedAddsTheIconAgain) {
    using A = NotifyIconAction;
    Fixture f;
    ASSERT_TRUE(f.icon.Add());
    f.icon.SetTip("Vesk 1.3.1 tip");
    f.icon.Update();
    f.shell.calls.clear();
    const std::intptr_t result = f.icon.HandleMessage(kTaskbarCreated, 3, 4);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(f.shell.Actions(), (std::vector<A>{A::Add}));
    EXPECT_EQ(f.shell.calls[0].record.tip, "Vesk 1.3.1 tip");
    EXPECT_TRUE(f.icon.Shown());
    // The owner hears of it, then gets the message itself.
    EXPECT_EQ(f.owner,
              (std::vector<Message>{{kTrayTaskbarRestarted, 3, 4}, {kTaskbarCreated, 3, 4}}));

    // Hidden: the new shell does not know it, so the next show adds it.
    f.icon.Hide();
    f.shell.calls.clear();
    f.icon.HandleMessage(kTaskbarCreated, 0, 0);
    EXPECT_TRUE(f.shell.calls.empty());
    EXPECT_FALSE(f.icon.Registered());
    ASSERT_TRUE(f.icon.Add());
    EXPECT_EQ(f.shell.Actions(), (std::vector<A>{A::Add}));
}

TEST(TTaskTrayIcon, TaskbarCreatedWhileTheShellKeptTheIconIsNoError) {
    using A = NotifyIconAction;
    constexpr std::uint32_t kAlreadyThere = 0x80004005;
    Fixture f;
    ASSERT_TRUE(f.icon.Add());
    f.shell.calls.clear();
    f.shell.answers = {{false, kAlreadyThere}, {true, 0}};
    EXPECT_NO_THROW(f.icon.HandleMessage(kTaskbarCreated, 0, 0));
    EXPECT_EQ(f.shell.Actions(), (std::vector<A>{A::Add, A::Modify}));
    EXPECT_TRUE(f.icon.Shown());
    EXPECT_TRUE(f.icon.Registered());

    // A shell that neither takes nor knows the icon is still an error.
    f.shell.answers = {{false, kAlreadyThere}, {false, kAlreadyThere}};
    EXPECT_THROW(f.icon.HandleMessage(kTaskbarCreated, 0, 0), ENotifyIconError);
}

TEST(TTaskTrayIcon, TaskbarCreatedAddsAnIconTheOldShellRefused) {
    using A = NotifyIconAction;
    Fixture f;
    f.shell.answers = {{false, 5}};
    EXPECT_THROW(f.icon.Add(), ENotifyIconError);
    EXPECT_FALSE(f.icon.Shown());
    f.shell.calls.clear();
    f.icon.HandleMessage(kTaskbarCreated, 0, 0);
    EXPECT_EQ(f.shell.Actions(), (std::vector<A>{A::Add}));
    EXPECT_TRUE(f.icon.Shown());

    // An icon deleted on purpose stays away.
    f.icon.Delete();
    f.shell.calls.clear();
    f.icon.HandleMessage(kTaskbarCreated, 0, 0);
    EXPECT_TRUE(f.shell.calls.empty());
    EXPECT_FALSE(f.icon.Shown());
}

TEST(TTaskTrayIcon, DispatchAndDestruction) {
    using A = NotifyIconAction;
    FakeShell shell;
    {
        TTaskTrayIcon icon(shell, 0x00060000);
        shell.icon = &icon;
        EXPECT_EQ(icon.HandleMessage(0x0400, 0, 0), kDefaultResult);
        icon.SetOwnerHandler(
            [](std::uint32_t, std::uintptr_t, std::intptr_t) { return std::intptr_t{7}; });
        EXPECT_EQ(icon.HandleMessage(0x0400, 0, 0), 7);
        icon.SetIcon(kIcon);
        ASSERT_TRUE(icon.Add());
        icon.SetOwnerHandler(nullptr);
        shell.icon = nullptr;
    }
    EXPECT_EQ(shell.Actions(), (std::vector<A>{A::Add, A::Delete}));
}

TEST(TipForShell, CutsToWhatTheShellTakes) {
    const std::string a200(200, 'a');
    const std::string a127(127, 'a');
    const std::string line = "0123456789\r\n";
    std::string lines;
    for (int i = 0; i < 8; ++i) {
        lines += line;
    }
    struct Row {
        std::string text;
        std::uint32_t version;
        std::string tip;
    };
    const std::vector<Row> rows = {
        {a200, 0x00060000, a127},
        {a127, 0x00050000, a127},
        {"", 0x00060000, ""},
        {"Vesk\r\n1.3.1", 0x00060000, "Vesk\r\n1.3.1"},
        {"Vesk\r\n1.3.1", 0x00040048, "Vesk 1.3.1"},
        {"a\rb\nc\n\r", 0x00040048, "a\rb\nc\n\r"},
        {lines, 0x00040048, "0123456789 0123456789 0123456789 0123456789 0123456789 01234567"},
        {a200, 0, std::string(63, 'a')},
        {test::Ansi("歌詞\r\n表示"), 0x00040000, test::Ansi("歌詞 表示")},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TipForShell(row.text, row.version), row.tip)
            << test::Utf8(row.text) << " on " << std::hex << row.version;
    }
}

TEST(ShellVersionFromFileVersion, MajorAndMinor) {
    const std::vector<std::pair<std::string, std::uint32_t>> rows = {
        {"6.00.2900.5512 (xpsp_sp3_gdr.080814-1236)", 0x00060000},
        {"6.1.7601.17514", 0x00060001},
        {"10.0.19041.1", 0x000A0000},
        {"5.0.3900.6975", 0x00050000},
        {"4.72.3110.1", 0x00040048},
        {"", 0},
        {"6", 0},
        {"6.", 0},
        {"6.x", 0},
        {"x.1", 0},
        {"70000.1", 0},
    };
    for (const auto& [text, version] : rows) {
        EXPECT_EQ(ShellVersionFromFileVersion(text), version) << text;
    }
}

TEST(TToolTipStyle, EnteringFiresOnceUntilThePointerIsSeenOutside) {
    const Message enter{kTrayIconMessage, 0, kTrayMouseEnter};
    const Message exit{kTrayIconMessage, 0, kTrayMouseExit};
    Fixture f;
    ASSERT_TRUE(f.icon.Add());
    f.MoveTo(100, 100);
    EXPECT_EQ(f.Notices(), std::vector<Message>{enter});
    EXPECT_TRUE(f.icon.ToolTipStyle().Inside());
    EXPECT_EQ(f.shell.timerStarts,
              (std::vector<std::pair<std::uintptr_t, std::uint32_t>>{{kLeavePollTimerId, 100}}));

    f.MoveTo(110, 95);
    f.MoveTo(90, 120);
    EXPECT_EQ(f.icon.ToolTipStyle().TrackingRect(), (TrayRect{90, 95, 110, 120}));
    // On the rectangle's edge the pointer is still over the icon.
    f.shell.cursor = {110, 120};
    f.shell.Elapse(kLeavePollTimerId);
    f.shell.cursor = {90, 95};
    f.shell.Elapse(kLeavePollTimerId);
    EXPECT_EQ(f.Notices(), std::vector<Message>{enter});

    f.shell.cursor = {111, 120};
    f.shell.Elapse(kLeavePollTimerId);
    EXPECT_EQ(f.Notices(), (std::vector<Message>{enter, exit}));
    EXPECT_FALSE(f.icon.ToolTipStyle().Inside());
    EXPECT_EQ(f.shell.timers.count(kLeavePollTimerId), 0u) << "polls only while inside";

    f.MoveTo(100, 100);
    EXPECT_EQ(f.Notices(), (std::vector<Message>{enter, exit, enter}));
    EXPECT_EQ(f.shell.timers.count(kLeavePollTimerId), 1u);
}

TEST(TToolTipStyle, TrackingRectangleStartsAfreshBeyond32Pixels) {
    struct Row {
        std::vector<TrayPoint> points;
        TrayRect rect;
    };
    const std::vector<Row> rows = {
        {{{5, 7}}, {5, 7, 5, 7}},
        {{{10, 10}, {42, 42}}, {10, 10, 42, 42}},
        {{{10, 10}, {43, 20}}, {43, 20, 43, 20}},
        {{{10, 10}, {20, 43}}, {20, 43, 20, 43}},
        {{{50, 50}, {30, 60}, {20, 40}}, {20, 40, 50, 60}},
        {{{50, 50}, {30, 60}, {17, 40}}, {17, 40, 17, 40}},
    };
    for (const Row& row : rows) {
        Fixture f;
        ASSERT_TRUE(f.icon.Add());
        for (TrayPoint p : row.points) {
            f.MoveTo(p.x, p.y);
        }
        EXPECT_EQ(f.icon.ToolTipStyle().TrackingRect(), row.rect)
            << "first point " << row.points.front().x << "," << row.points.front().y;
    }

    // Adding the icon forgets the old rectangle.
    Fixture f;
    ASSERT_TRUE(f.icon.Add());
    f.MoveTo(60, 60);
    f.icon.Delete();
    ASSERT_TRUE(f.icon.Add());
    EXPECT_TRUE(f.icon.ToolTipStyle().TrackingRect().IsEmpty());
}

TEST(TToolTipStyle, SingleClickOnlyAfterTheDoubleClickTime) {
    Fixture f;
    f.icon.ToolTipStyle().SetCheckSingleDoubleClick(true);
    f.shell.doubleClickTime = 430;
    f.Mouse(kWmRButtonDown);
    f.Mouse(kWmRButtonUp);
    EXPECT_TRUE(f.Notices().empty());
    EXPECT_EQ(f.shell.timerStarts,
              (std::vector<std::pair<std::uintptr_t, std::uint32_t>>{{kClickTimerId, 430}}));
    f.shell.Elapse(kClickTimerId);
    EXPECT_EQ(f.Notices(), (std::vector<Message>{{kTrayIconMessage, 1, kTrayMouseClick}}));
    EXPECT_EQ(f.shell.timers.count(kClickTimerId), 0u);
    EXPECT_FALSE(f.icon.ToolTipStyle().ClickTimerRunning());

    // Without the check the release is the click.
    Fixture now;
    now.Mouse(kWmMButtonDown);
    now.Mouse(kWmMButtonUp);
    EXPECT_EQ(now.Notices(), (std::vector<Message>{{kTrayIconMessage, 2, kTrayMouseClick}}));
    EXPECT_TRUE(now.shell.timerStarts.empty());
}

TEST(TToolTipStyle, DoubleClickReportsNoClickButPostsThePress) {
    Fixture f;
    f.icon.ToolTipStyle().SetCheckSingleDoubleClick(true);
    f.Mouse(kWmLButtonDown);
    f.Mouse(kWmLButtonUp);
    f.Mouse(kWmLButtonDblClk);
    EXPECT_EQ(f.shell.posted,
              (std::vector<Message>{{kTrayIconMessage, kPostedPress, kWmLButtonDown}}));
    f.shell.DeliverPosted();
    f.Mouse(kWmLButtonUp);
    f.shell.Elapse(kClickTimerId);
    EXPECT_TRUE(f.Notices().empty());
    // The owner saw the posted press (it opens the menu again).
    EXPECT_NE(std::find(f.owner.begin(), f.owner.end(),
                        Message{kTrayIconMessage, kPostedPress, kWmLButtonDown}),
              f.owner.end());

    // A later single click is reported again.
    f.Mouse(kWmLButtonDown);
    f.Mouse(kWmLButtonUp);
    f.shell.Elapse(kClickTimerId);
    EXPECT_EQ(f.Notices(), (std::vector<Message>{{kTrayIconMessage, 0, kTrayMouseClick}}));

    // Right double click posts the right press.
    f.Mouse(kWmRButtonDown);
    f.Mouse(kWmRButtonUp);
    f.Mouse(kWmRButtonDblClk);
    EXPECT_EQ(f.shell.posted.back(), (Message{kTrayIconMessage, kPostedPress, kWmRButtonDown}));
}

}  // namespace
}  // namespace vesk
