#include "lyrics/LrcTimeline.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "LyricsTestSupport.h"
#include "TestText.h"
#include "lyrics/LrcText.h"

namespace vesk {
namespace {

using test::Ansi;
using Times = std::vector<std::int64_t>;

constexpr int kNone = -1;

int Index(std::optional<std::size_t> index) {
    return index ? static_cast<int>(*index) : kNone;
}

TEST(LrcTimeline, TimeTagsAndOffsetsOfALine) {
    struct Row {
        const char* line;
        Times times;
        std::optional<std::int32_t> offset;
    };
    const Row rows[] = {
        {"[01:02]a", {62000}, std::nullopt},
        {"[1:02]a", {62000}, std::nullopt},
        {"[01:02.5]a", {62500}, std::nullopt},
        {"[01:02.50]a", {62500}, std::nullopt},
        {"[01:02.500]a", {62500}, std::nullopt},
        {"[01:02.5009]a", {62500}, std::nullopt},
        {"[01:02:05]a", {62050}, std::nullopt},
        {"[00:01.00][00:03.00]a", {1000, 3000}, std::nullopt},
        {"[00:03.00][00:01.00]a", {3000, 1000}, std::nullopt},
        {"a[00:04.00]b", {4000}, std::nullopt},
        {"[00:01.00]<00:02.00>w<00:02.50>x",
         {1000},
         std::nullopt},  // word tags time words, not the line
        {"<00:02.00>w", {}, std::nullopt},
        {"[99999999999:00]a", {60'000'000'000}, std::nullopt},  // minutes held, no overflow
        {"[00:1a.00]a", {}, std::nullopt},
        {"[00:123.00]a", {}, std::nullopt},
        {"[offset:+500]", {}, 500},
        {"[offset:-250]", {}, -250},
        {"[OFFSET: 300 ]", {}, 300},
        {"[offset:-2147483648]", {}, INT32_MIN},
        {"[offset:2147483648]", {}, std::nullopt},
        {"[offset:1.5]", {}, std::nullopt},
        {"[offset:]", {}, std::nullopt},
        {"[ti:x][offset:7][offset:9]", {}, 7},
        {"a[offset:5]", {}, std::nullopt},  // a header tag only begins a line
    };
    for (const Row& row : rows) {
        const LrcLine line = ReadLrcLine(row.line);
        EXPECT_EQ(line.timesMs, row.times) << row.line;
        EXPECT_EQ(line.offsetMs, row.offset) << row.line;
    }
}

// The lines are those of the display text, whatever the file holds.
TEST(LrcTimeline, LinesAreThoseOfTheDisplayText) {
    struct Row {
        std::string content;
        bool lrc;
        std::int32_t start, end;
        std::vector<TimedLine> lines;
        bool tagged = true;
        std::int32_t offset = 0;
    };
    const std::string four = "[offset:-300]\n[00:01]1\n[00:02]2\n3";
    const Row rows[] = {
        {"[ti:T]\r\n[00:01.00]one\r\n[00:02]two\r\n",
         true,
         0,
         0,
         {{2, "one", {1000}}, {3, "two", {2000}}}},
        {"[00:01]a\nplain\r[00:03]c",
         true,
         0,
         0,
         {{1, "a", {1000}}, {2, "plain", {}}, {3, "c", {3000}}}},
        {"[offset:9]\n[00:01]a", false, 0, 0, {{1, "[offset:9]", {}}, {2, "[00:01]a", {}}}, false},
        {four, true, 3, 4, {{3, "2", {2000}}, {4, "3", {}}}, true, -300},
        {four, true, 4, 4, {{4, "3", {}}}, false, -300},
        {four, true, 2, 5, {{2, "1", {1000}}, {3, "2", {2000}}, {4, "3", {}}}, true, -300},
        {"[00:00]\n[00:01]  one\n[00:05]\n[00:06]two  \n[00:09]\n",
         true,
         0,
         0,
         {{2, "one", {1000}}, {3, "", {5000}}, {4, "two", {6000}}}},
        {"[00:1a]word", true, 0, 0, {{1, "[00:1a]word", {}}}, false},
        {"[00:01]\n \n[00:02]", true, 0, 0, {}},
        {"\xEF\xBB\xBF[00:01]\xE9\x9B\xA8", true, 0, 0, {{1, Ansi("雨"), {1000}}}}};
    for (const Row& row : rows) {
        const LrcTimeline timeline(row.content, row.lrc, row.start, row.end);
        EXPECT_EQ(timeline.HasTimeTags(), row.tagged) << row.content;
        EXPECT_EQ(timeline.OffsetMs(), row.offset) << row.content;
        ASSERT_EQ(timeline.Lines().size(), row.lines.size()) << row.content;
        std::string joined;
        for (std::size_t i = 0; i < row.lines.size(); ++i) {
            const TimedLine& line = timeline.Lines()[i];
            EXPECT_EQ(line.number, row.lines[i].number) << row.content;
            EXPECT_EQ(line.text, row.lines[i].text) << row.content;
            EXPECT_EQ(line.timesMs, row.lines[i].timesMs) << row.content;
            joined += (i == 0 ? "" : "\r\n") + line.text;
        }
        test::MemoryFileSystem files;
        ScopedFileSystem scope(files);
        const std::string path = row.lrc ? "a.lrc" : "a.txt";
        files.files[path] = row.content;
        EXPECT_EQ(joined, LyricsFileDisplayText(path, row.start, row.end)) << row.content;
        EXPECT_EQ(ReadLrcTimeline(path, row.start, row.end).has_value(), row.lrc) << row.content;
    }
}

TEST(LrcTimeline, LitLineAndNextChange) {
    const LrcTimeline timeline(
        "[00:00.00]\n"               // blank, left out: nothing lit from 0
        "[00:01.00]one\n"            // 0
        "plain\n"                    // 1: never lit
        "[00:05.00][00:02.00]two\n"  // 2
        "[00:03.00]three\n"          // 3
        "[00:03.00]three-b\n"        // 4: same time as 3, which comes first
        "[00:04.00]four\n"           // 5
        "[00:07.00]\n",              // blank, left out: nothing lit from 7 s
        true, 0, 0);
    struct Row {
        std::int64_t time;
        int lit;  // kNone: none
        std::int64_t next;
    };
    const Row rows[] = {{-5000, kNone, 1000},     {0, kNone, 1000}, {999, kNone, 1000},
                        {1000, 0, 2000},          {1999, 0, 2000},  {2000, 2, 3000},
                        {3000, 3, 4000},          {3999, 3, 4000},  {4000, 5, 5000},
                        {5000, 2, 7000},          {6999, 2, 7000},  {7000, kNone, kNone},
                        {INT64_MAX, kNone, kNone}};
    for (const Row& row : rows) {
        EXPECT_EQ(Index(timeline.LitLine(row.time)), row.lit) << row.time;
        EXPECT_EQ(timeline.NextChangeMs(row.time).value_or(kNone), row.next) << row.time;
    }
    // A blank line's tag loses to a line of the same time, wherever it stands.
    const LrcTimeline sameTime("[00:02]\n[00:01]a\n[00:02]b", true, 0, 0);
    EXPECT_EQ(sameTime.LitLine(2000), std::optional<std::size_t>(1));
    EXPECT_EQ(LrcTimeline().LitLine(0), std::nullopt);
    EXPECT_EQ(LrcTimeline().NextChangeMs(0), std::nullopt);
}

TEST(LrcTimeline, WindowOfLinesAroundTheLitLine) {
    std::string content;
    for (int i = 0; i < 10; ++i) {
        const std::string seconds = std::to_string(101 + i).substr(1);  // two digits
        content += "[00:" + seconds + ".00]L" + std::to_string(i) + "\n";
    }
    content += "[00:20.00]\n";
    const LrcTimeline timeline(content, true, 0, 0);
    struct Row {
        std::int64_t time;
        int count;
        std::size_t first, shown;
        int lit;
    };
    // Before the first tag the first lines, after the song (a blank line's tag) the last.
    const Row rows[] = {{0, 5, 0, 5, kNone}, {1000, 5, 0, 5, 0},      {3000, 5, 0, 5, 2},
                        {4000, 5, 1, 5, 2},  {8000, 5, 5, 5, 2},      {9000, 5, 5, 5, 3},
                        {10000, 5, 5, 5, 4}, {20000, 5, 5, 5, kNone}, {5000, 1, 4, 1, 0},
                        {5000, 4, 3, 4, 1},  {5000, 15, 0, 10, 4},    {5000, 0, 4, 1, 0},
                        {5000, 99, 0, 10, 4}};
    for (const Row& row : rows) {
        const SyncWindow window = timeline.Window(row.time, row.count);
        EXPECT_EQ(window.first, row.first) << row.time << " " << row.count;
        EXPECT_EQ(window.count, row.shown) << row.time << " " << row.count;
        EXPECT_EQ(Index(window.lit), row.lit) << row.time << " " << row.count;
    }
}

TEST(LrcTimeline, WindowTextMarksTheLitLine) {
    const LrcTimeline timeline("[00:01]a\n[00:02]\n[00:03]cc\n", true, 0, 0);
    const SyncWindow blankLit = timeline.Window(2000, 3);
    EXPECT_EQ(blankLit.text, "a\r\n \r\ncc");
    EXPECT_EQ(blankLit.litBegin, 3u);
    EXPECT_EQ(blankLit.litEnd, 4u);
    const SyncWindow lastLit = timeline.Window(3000, 2);
    EXPECT_EQ(lastLit.text, " \r\ncc");
    EXPECT_EQ(lastLit.text.substr(lastLit.litBegin, lastLit.litEnd - lastLit.litBegin), "cc");
    const SyncWindow noneLit = timeline.Window(0, 3);
    EXPECT_EQ(noneLit.litBegin, noneLit.litEnd);
    EXPECT_EQ(LrcTimeline().Window(0, 5).text, "");
}

TEST(LrcTimeline, FilesThatAreNotShownHaveNoTimeline) {
    test::MemoryFileSystem files;
    ScopedFileSystem scope(files);
    files.files["big.lrc"] = std::string(kLyricsFileMaxBytes + 1, 'a');
    files.files["held.lrc"] = "[00:01]a";
    files.unreadable.insert("held.lrc");
    files.folders.insert("folder.lrc");
    for (const char* path : {"big.lrc", "held.lrc", "folder.lrc", "missing.lrc"}) {
        EXPECT_FALSE(ReadLrcTimeline(path, 0, 0).has_value()) << path;
    }
}

}  // namespace
}  // namespace vesk
