// Synced lyrics as the main form shows them: the song's clock, the window of lines that
// follows it through a timer set for each change, the user's corrections, the overlay file.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "MemoryFileSystem.h"
#include "app/FakeMainParts.h"
#include "app/SongClock.h"
#include "app/untMain.h"
#include "common/FileSystem.h"

namespace vesk {
namespace {

TEST(SongClock, RunsFromTheTitleOrCarriesThePlayersPositionForward) {
    enum class Step { kStart, kPosition, kAsk };
    struct Row {
        Step step;
        std::int64_t nowMs;
        double seconds;
        std::int64_t songMs;  // at nowMs, after the step
        bool running;
    };
    const Row rows[] = {
        {Step::kStart, 1000, 0, 0, true},
        {Step::kAsk, 2500, 0, 1500, true},
        {Step::kPosition, 3000, 10.0, 10000, true},  // the player's, carried forward
        {Step::kAsk, 3400, 0, 10400, true},
        {Step::kPosition, 4000, 11.0, 11000, true},
        {Step::kPosition, 5000, 11.0, 11000, false},  // it did not move: paused
        {Step::kAsk, 6000, 0, 11000, false},
        {Step::kPosition, 7000, 11.5, 11500, true},  // playing again
        {Step::kPosition, 7300, NAN, 11800, true},   // no number: passed over
        {Step::kPosition, 7400, 2.0, 2000, true},    // moved back
        {Step::kStart, 8000, 0, 0, true},            // another song, from 0
        {Step::kPosition, 8100, 2.0, 2000, true},    // the song before's position is no pause
    };
    TSongClock clock;
    for (const Row& row : rows) {
        if (row.step == Step::kStart) {
            clock.Start(row.nowMs);
        } else if (row.step == Step::kPosition) {
            clock.TakePosition(row.seconds, row.nowMs);
        }
        EXPECT_EQ(clock.SongMs(row.nowMs), row.songMs) << "at " << row.nowMs;
        EXPECT_EQ(clock.Running(), row.running) << "at " << row.nowMs;
    }
}

// A main form whose clock and sync timer the test holds.
class ClockedForm : public test::TestMainForm {
public:
    using test::TestMainForm::TestMainForm;
    std::int64_t now = 10000;
    // Each setting of the timer: its delay, or none when it was stopped.
    std::vector<std::optional<std::int64_t>> timers;

protected:
    std::int64_t NowMs() const override { return now; }
    void SetSyncTimer(std::optional<std::int64_t> delayMs) override { timers.push_back(delayMs); }
};

using Events = std::vector<std::string>;
using Timers = std::vector<std::optional<std::int64_t>>;
constexpr std::nullopt_t kStopped = std::nullopt;

class SyncedLyrics : public testing::Test {
protected:
    SyncedLyrics() {
        files_.files["C:\\L\\Four.lrc"] =
            "[00:00.00]one\r\n[00:01.50]two\r\n[00:03.00]three\r\n[00:04.50]four\r\n";
        files_.files["C:\\L\\Plain.txt"] = "plain words";
        files_.files["C:\\L\\Bare.lrc"] = "[ti:Bare]\r\nno tags\r\n";
        auto list = std::make_unique<TLyricsList>();
        list->Add("Four", "C:\\L\\Four.lrc", 0, 0);
        list->Add("Plain", "C:\\L\\Plain.txt", 0, 0);
        list->Add("Bare", "C:\\L\\Bare.lrc", 0, 0);
        form_.UseLyricsList(std::move(list));
        form_.SetSyncCorrectionsPath(kCorrections);
        Set(true, 3, "");
        window_.exists = true;
    }

    void Set(bool sync, int lines, std::string overlay) {
        test::ChangeSettings(form_, [&](MainFormSettings& s) {
            s.topCut = 0;
            s.syncLyrics = sync;
            s.syncLines = lines;
            s.overlayTextFile = overlay;
        });
    }
    void Check(const std::string& caption) {
        player_.caption = caption;
        form_.tmrTitleCheckTimer();
    }
    // What the window was asked and how the timer was set since the last call.
    Events TakeEvents() { return std::exchange(window_.events, {}); }
    Timers TakeTimers() { return std::exchange(form_.timers, {}); }
    std::string Corrections() const {
        const auto file = files_.files.find(kCorrections);
        return file == files_.files.end() ? "(none)" : file->second;
    }

    static constexpr const char* kCorrections = "C:\\V\\VeskSync.csv";
    test::MemoryFileSystem files_;
    ScopedFileSystem scope_{files_};
    test::ScriptedTitleGet player_;
    test::RecordingLyricsWindow window_;
    ClockedForm form_{player_, window_, [](const std::string&) {}};
};

// Lines at 0.0, 1.5, 3.0 and 4.5 s, three shown: the first lines at the start, the last at
// the end. Each change is shown once, when the timer set for it fires.
TEST_F(SyncedLyrics, TheLitLineFollowsTheClockThroughATimerSetForEachChange) {
    const struct {
        std::int64_t nowMs;
        bool tick;  // else the title check, the song starting at 10000
        Events events;
        Timers timers;
    } rows[] = {
        {10000, false, {"synced one\r\ntwo\r\nthree [0,3)"}, {1500}},
        // A timer fires a little early: the change is shown all the same.
        {11490, true, {"moved one\r\ntwo\r\nthree [5,8)"}, {1510}},
        {12000, false, {}, {}},  // the same song again: nothing
        {13000, true, {"moved two\r\nthree\r\nfour [5,10)"}, {1500}},
        {14500, true, {"moved two\r\nthree\r\nfour [12,16)"}, {kStopped}},
    };
    for (const auto& row : rows) {
        form_.now = row.nowMs;
        if (row.tick) {
            form_.SyncTimerTick();
        } else {
            Check("Four - Band");
        }
        EXPECT_EQ(TakeEvents(), row.events) << "at " << row.nowMs;
        EXPECT_EQ(TakeTimers(), row.timers) << "at " << row.nowMs;
    }
    EXPECT_TRUE(form_.SyncedSongShown());

    // Another song without tags: shown as ever, and the timer stops; nothing runs for it.
    Check("Plain - Band");
    EXPECT_EQ(TakeEvents(), Events{"show plain words"});
    EXPECT_EQ(TakeTimers(), Timers{});
    EXPECT_FALSE(form_.SyncedSongShown());
    // The song played again starts from 0.
    form_.now = 20000;
    Check("Four - Band");
    EXPECT_EQ(TakeEvents(), Events{"synced one\r\ntwo\r\nthree [0,3)"});
    EXPECT_EQ(TakeTimers(), Timers{1500});
}

TEST_F(SyncedLyrics, WhatShowsWithoutASyncedSong) {
    const struct {
        const char* name;
        bool sync;
        bool windowOpen;
        const char* caption;
        const char* title;  // whose display text shows; none: nothing shows
    } rows[] = {
        {"off: the file as text", false, true, "Four - Band", "Four"},
        {"a file without tags", true, true, "Bare - Band", "Bare"},
        {"no player", true, true, "", "PlayerNotFound"},
        {"window closed, no overlay", true, false, "Four - Band", nullptr},
    };
    for (const auto& row : rows) {
        Set(row.sync, 3, "");
        window_.exists = row.windowOpen;
        Check("Other - Band");
        TakeEvents();
        TakeTimers();
        Check(row.caption);
        EXPECT_EQ(TakeEvents(), row.title != nullptr
                                    ? Events{"show " + form_.DisplayTextOf(row.title)}
                                    : Events{})
            << row.name;
        EXPECT_EQ(TakeTimers(), Timers{}) << row.name << ": no timer";
        EXPECT_FALSE(form_.SyncedSongShown()) << row.name;
        const int positionReads = player_.positionReads;
        Check(row.caption);
        EXPECT_EQ(player_.positionReads, positionReads) << row.name << ": no position asked";
    }
}

TEST_F(SyncedLyrics, CorrectionsMoveTheChangesAndAreKeptPerTitle) {
    files_.files[kCorrections] = "\"Other\",-500\r\n";
    Check("Four - Band");
    TakeEvents();
    EXPECT_EQ(TakeTimers(), Timers{1500});
    const struct {
        std::int32_t deltaMs;
        Events events;
        std::int64_t timer;
        const char* file;
    } rows[] = {
        {+500, {}, 1000, "\"Four\",500\r\n\"Other\",-500\r\n"},  // shown earlier
        {+500, {}, 500, "\"Four\",1000\r\n\"Other\",-500\r\n"},
        {-1000, {}, 1500, "\"Other\",-500\r\n"},  // none: its row goes
        // Later: no line is lit yet.
        {-500, {"moved one\r\ntwo\r\nthree [0,0)"}, 500, "\"Four\",-500\r\n\"Other\",-500\r\n"},
        // Another line lit at once.
        {+2000, {"moved one\r\ntwo\r\nthree [5,8)"}, 1500, "\"Four\",1500\r\n\"Other\",-500\r\n"},
    };
    for (const auto& row : rows) {
        form_.AdjustSyncCorrection(row.deltaMs);
        EXPECT_EQ(TakeEvents(), row.events) << row.deltaMs;
        EXPECT_EQ(TakeTimers(), Timers{row.timer}) << row.deltaMs;
        EXPECT_EQ(Corrections(), row.file) << row.deltaMs;
    }
    // Kept for the title: the song played again starts with it.
    Check("Plain - Band");
    form_.AdjustSyncCorrection(+500);  // no synced song: nothing
    EXPECT_EQ(Corrections(), "\"Four\",1500\r\n\"Other\",-500\r\n");
    TakeEvents();
    Check("Four - Band");
    EXPECT_EQ(TakeEvents(), Events{"synced one\r\ntwo\r\nthree [5,8)"});
}

TEST_F(SyncedLyrics, TheOverlayFileGetsTheLitLineAlone) {
    Set(true, 3, "C:\\Stream\\now.txt");
    window_.exists = false;  // it follows the song with the window closed too
    Check("Four - Band");
    EXPECT_EQ(files_.files.at("C:\\Stream\\now.txt"), "one");
    EXPECT_EQ(TakeTimers(), Timers{1500});
    form_.now += 1500;
    form_.SyncTimerTick();
    EXPECT_EQ(files_.files.at("C:\\Stream\\now.txt"), "two");
    TakeTimers();
    // With neither window nor overlay nothing is shown, and the timer stops.
    Set(true, 3, "");
    EXPECT_EQ(TakeTimers(), Timers{kStopped});
    EXPECT_FALSE(form_.SyncedSongShown());
}

// Windows Media Player's position, read with each title check, drives the lit line; a
// position that stops holds it, with no timer meanwhile.
TEST_F(SyncedLyrics, ThePlayersPositionDrivesTheLitLine) {
    const struct {
        std::int64_t nowMs;
        double position;
        Events events;
        Timers timers;
    } rows[] = {
        {10000, 3.2, {"synced two\r\nthree\r\nfour [5,10)"}, {1300}},
        {11000, 4.2, {}, {300}},       // carried forward, then read again
        {12000, 4.2, {}, {kStopped}},  // paused
        {13000, 4.2, {}, {}},
        {14000, 0.1, {"moved one\r\ntwo\r\nthree [0,3)"}, {1400}},  // moved back
    };
    for (const auto& row : rows) {
        form_.now = row.nowMs;
        player_.position = row.position;
        Check("Four - Band");
        EXPECT_EQ(TakeEvents(), row.events) << "at " << row.nowMs;
        EXPECT_EQ(TakeTimers(), row.timers) << "at " << row.nowMs;
    }
}

}  // namespace
}  // namespace vesk
