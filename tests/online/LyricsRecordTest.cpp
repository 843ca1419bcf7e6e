#include "online/LyricsRecord.h"

#include <gtest/gtest.h>

#include "TestText.h"
#include "common/TextPlatform.h"
#include "online/SearchResult.h"

namespace vesk {
namespace {

using test::Ansi;

TEST(LyricsRecord, ChoosesTheRecordOfTheTitle) {
    struct Row {
        std::string body;
        std::string title;  // UTF-8
        LyricsKind kind;
        std::string text;
    };
    constexpr auto kNone = LyricsKind::kNone;
    constexpr auto kSynced = LyricsKind::kSynced;
    constexpr auto kPlain = LyricsKind::kPlain;
    constexpr auto kInstrumental = LyricsKind::kInstrumental;
    const std::string deep = std::string(5000, '[') + std::string(5000, ']');
    std::string ninetyNine = R"([{"trackName":"One","plainLyrics":"first"})";
    for (int i = 1; i < 99; ++i) {
        ninetyNine += R"(,{"trackName":"Other","plainLyrics":"other"})";
    }
    const Row rows[] = {
        {R"([])", "Rain", kNone, ""},
        {R"([{"trackName":"Rain","plainLyrics":"la"})", "Rain", kNone, ""},  // cut short
        {R"({"code":404,"name":"TrackNotFound","message":"none"})", "Rain", kNone, ""},
        {R"(5)", "Rain", kNone, ""},
        {R"(null)", "Rain", kNone, ""},
        {"", "Rain", kNone, ""},
        {"<html>busy</html>", "Rain", kNone, ""},
        // An answer is an array of records.
        {R"({"trackName":"Rain","syncedLyrics":"[00:01.00]la"})", "Rain", kNone, ""},
        {R"([{"trackName":"Rain","syncedLyrics":"[00:01.00]la"}])", "Rain", kSynced,
         "[00:01.00]la"},
        // The record of the title, even after others with lyrics.
        {R"([{"trackName":"Other","plainLyrics":"no"},
             {"trackName":"Rain","artistName":"A","plainLyrics":"yes"}])",
         "Rain", kPlain, "yes"},
        {R"([{"trackName":"Rain","artistName":"Other","plainLyrics":"no"},
             {"trackName":"Rain","artistName":"Sun","plainLyrics":"yes"}])",
         "Sun - Rain", kPlain, "yes"},
        // Without regard to case, in every script the code page has case for.
        {R"([{"trackName":"Other","plainLyrics":"no"},{"trackName":"SUMMER rain","plainLyrics":"yes"}])",
         "summer RAIN", kPlain, "yes"},
        {R"([{"trackName":"x","plainLyrics":"no"},{"trackName":"ＡＢＣ","plainLyrics":"yes"}])",
         "ａｂｃ", kPlain, "yes"},
        {R"([{"trackName":"x","plainLyrics":"no"},{"trackName":"ЛЮБОВЬ","plainLyrics":"yes"}])",
         "любовь", kPlain, "yes"},
        {R"([{"trackName":"x","plainLyrics":"no"},{"trackName":"夏の雨","plainLyrics":"yes"}])",
         "夏の雨", kPlain, "yes"},
        // Kana and width do not fold: another name, so the first with lyrics.
        {R"([{"trackName":"x","plainLyrics":"first"},{"trackName":"ナツ","plainLyrics":"no"}])",
         "なつ", kPlain, "first"},
        {R"([{"trackName":"x","plainLyrics":"first"},{"trackName":"ABC","plainLyrics":"no"}])",
         "ＡＢＣ", kPlain, "first"},
        {R"([{"trackName":"Rain","plainLyrics":"no"}])", "Rain2", kPlain, "no"},
        // Synced before plain; blank lyrics are none.
        {R"([{"trackName":"Rain","plainLyrics":"p","syncedLyrics":"[00:01.00]s"}])", "Rain",
         kSynced, "[00:01.00]s"},
        {R"([{"trackName":"Rain","plainLyrics":"p","syncedLyrics":null}])", "Rain", kPlain, "p"},
        {R"([{"trackName":"Rain","plainLyrics":"p","syncedLyrics":" \r\n\t"}])", "Rain", kPlain,
         "p"},
        {R"([{"trackName":"Rain","plainLyrics":"","syncedLyrics":""}])", "Rain", kNone, ""},
        // The record of the title without lyrics gives way to the first with them.
        {R"([{"trackName":"Rain","plainLyrics":null},{"trackName":"Sun","plainLyrics":"sun"}])",
         "Rain", kPlain, "sun"},
        // Instrumental: by the name alone, and whatever lyrics it may carry.
        {R"([{"trackName":"x","plainLyrics":"no"},{"trackName":"Rain","instrumental":true}])",
         "Rain", kInstrumental, ""},
        {R"([{"trackName":"Rain","instrumental":true,"plainLyrics":"la"}])", "Rain", kInstrumental,
         ""},
        {R"([{"trackName":"Other","instrumental":true},{"trackName":"Sun","plainLyrics":"sun"}])",
         "Rain", kPlain, "sun"},
        {R"([{"trackName":"Other","instrumental":true}])", "Rain", kNone, ""},
        {R"([{"trackName":"Rain","instrumental":false,"plainLyrics":"la"}])", "Rain", kPlain, "la"},
        // Wrong types count as missing fields; records that are not objects are skipped.
        {R"([{"trackName":5,"syncedLyrics":7,"plainLyrics":["a"],"instrumental":"yes"}])", "Rain",
         kNone, ""},
        {R"([null,3,"Rain",[],{"trackName":["Rain"],"plainLyrics":"la"}])", "Rain", kPlain, "la"},
        {R"([{"trackName":null,"artistName":{"a":1},"instrumental":1,"plainLyrics":"la"}])", "Rain",
         kPlain, "la"},
        {R"([{"trackName":"Rain","plainLyrics":{"text":"la"},"syncedLyrics":"s"}])", "Rain",
         kSynced, "s"},
        // Records past the first hundred are not read.
        {ninetyNine + R"(,{"trackName":"Rain","plainLyrics":"100th"}])", "Rain", kPlain, "100th"},
        {ninetyNine + R"(,{},{"trackName":"Rain","plainLyrics":"101st"}])", "Rain", kPlain,
         "first"},
        // Deep values are skipped, not kept.
        {R"([{"trackName":"Rain","extra":)" + deep + R"(,"plainLyrics":"la"}])", "Rain", kPlain,
         "la"},
        {deep, "Rain", kNone, ""},
        // A NUL character ends the lyrics; what is left must not be blank.
        {R"([{"trackName":"Rain","plainLyrics":"la\u0000hidden"}])", "Rain", kPlain, "la"},
        {R"([{"trackName":"Rain","syncedLyrics":"\u0000s","plainLyrics":"p"}])", "Rain", kPlain,
         "p"},
        {R"([{"trackName":"Ra\u0000in","plainLyrics":"la"},{"trackName":"Ra","plainLyrics":"ra"}])",
         "Ra", kPlain, "la"},
        // Text that is not UTF-8 makes the body no JSON.
        {"[{\"trackName\":\"Rain\",\"plainLyrics\":\"l\xFF\xFE\"}]", "Rain", kNone, ""},
        {"[{\"trackName\":\"Rain\",\"plainLyrics\":\"\xE3\x81\"}]", "Rain", kNone, ""},
        {R"([{"trackName":"Rain","plainLyrics":"\ud800"}])", "Rain", kNone, ""},
        // Escapes and characters beyond the basic plane come through as UTF-8.
        {R"([{"trackName":"Rain","plainLyrics":"\u590f\n\ud83c\udf27"}])", "Rain", kPlain,
         "夏\n\U0001F327"},
        // An empty title names no record.
        {R"([{"trackName":"","plainLyrics":"no"},{"trackName":"x","plainLyrics":"first"}])", "",
         kPlain, "no"},
    };
    const TextPlatform& platform = CurrentTextPlatform();
    for (const Row& row : rows) {
        const ChosenLyrics chosen = ChooseLyrics(row.body, Ansi(row.title), platform);
        SCOPED_TRACE(row.body.substr(0, 100) + " | " + row.title);
        EXPECT_EQ(chosen.kind, row.kind);
        EXPECT_EQ(chosen.text, row.text);
    }
}

TEST(LyricsRecord, AnswerStatusDecidesTheOutcome) {
    struct Row {
        HttpResponse response;
        SearchOutcome outcome;
        SearchFailure failure;
        LyricsKind lyrics;
    };
    const std::string found = R"([{"trackName":"Rain","plainLyrics":"la"}])";
    const std::string instrumental = R"([{"trackName":"Rain","instrumental":true}])";
    constexpr auto kNoFailure = SearchFailure::kNone;
    const Row rows[] = {
        {{SearchFailure::kNone, 200, false, found},
         SearchOutcome::kFound,
         kNoFailure,
         LyricsKind::kPlain},
        {{SearchFailure::kNone, 200, false, instrumental},
         SearchOutcome::kInstrumental,
         kNoFailure,
         LyricsKind::kNone},
        {{SearchFailure::kNone, 200, false, "[]"},
         SearchOutcome::kNotFound,
         kNoFailure,
         LyricsKind::kNone},
        {{SearchFailure::kNone, 200, false, "[{"},
         SearchOutcome::kNotFound,
         kNoFailure,
         LyricsKind::kNone},
        // A body over the limit is never read for lyrics, whatever its start holds.
        {{SearchFailure::kNone, 200, true, found},
         SearchOutcome::kNotFound,
         kNoFailure,
         LyricsKind::kNone},
        {{SearchFailure::kNone, 404, false, found},
         SearchOutcome::kNotFound,
         kNoFailure,
         LyricsKind::kNone},
        {{SearchFailure::kNone, 500, false, found},
         SearchOutcome::kFailed,
         SearchFailure::kHttpStatus,
         LyricsKind::kNone},
        {{SearchFailure::kNone, 204, false, found},
         SearchOutcome::kFailed,
         SearchFailure::kHttpStatus,
         LyricsKind::kNone},
        {{SearchFailure::kTimedOut, 0, false, ""},
         SearchOutcome::kFailed,
         SearchFailure::kTimedOut,
         LyricsKind::kNone},
        {{SearchFailure::kSecureChannel, 0, false, found},
         SearchOutcome::kFailed,
         SearchFailure::kSecureChannel,
         LyricsKind::kNone},
    };
    for (const Row& row : rows) {
        const SearchResult result = ResultOfResponse("Rain", row.response, CurrentTextPlatform());
        SCOPED_TRACE(std::to_string(row.response.status) + " " + row.response.body);
        EXPECT_EQ(result.title, "Rain");
        EXPECT_EQ(result.outcome, row.outcome);
        EXPECT_EQ(result.failure, row.failure);
        EXPECT_EQ(result.lyrics, row.lyrics);
        EXPECT_EQ(result.httpStatus,
                  row.response.failure == SearchFailure::kNone ? row.response.status : 0u);
        EXPECT_EQ(result.fileBytes.empty(), row.outcome != SearchOutcome::kFound);
    }
}

}  // namespace
}  // namespace vesk
