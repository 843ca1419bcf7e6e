// The main form and the lyrics service: which titles it searches, what it does with each
// result (save, show, note, tell), and the default lyrics folder beside the program.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "MemoryFileSystem.h"
#include "TestText.h"
#include "app/FakeMainParts.h"
#include "app/untMain.h"
#include "common/FileSystem.h"

namespace vesk {
namespace {

using test::Ansi;
using Strings = std::vector<std::string>;

constexpr char kUrl[] = "http://127.0.0.1:1";
constexpr char kFolder[] = "C:\\F\\";
constexpr char kDefaultFolder[] = "C:\\Vesk\\Lyrics\\";
const std::string kMark = "\xEF\xBB\xBF";

// A main form that notes the searches it starts and what it tells the user.
class SearchingForm : public test::TestMainForm {
public:
    using TestMainForm::TestMainForm;
    Strings searches;  // "address title"
    Strings told;      // "!" before a problem

protected:
    void StartOnlineSearch(const std::string& address, const std::string& title) override {
        searches.push_back(address + " " + title);
    }
    void ShowSearchReport(const std::string& text, bool problem) override {
        told.push_back((problem ? "!" : "") + text);
    }
};

SearchResult Result(std::string title, SearchOutcome outcome,
                    SearchFailure failure = SearchFailure::kNone, unsigned status = 0) {
    SearchResult result;
    result.title = std::move(title);
    result.outcome = outcome;
    result.failure = failure;
    result.httpStatus = status;
    return result;
}

SearchResult Found(std::string title, const std::string& words) {
    SearchResult result = Result(std::move(title), SearchOutcome::kFound);
    result.lyrics = LyricsKind::kPlain;
    result.fileBytes = kMark + words + "\r\n";
    return result;
}

class OnlineLyrics : public testing::Test {
protected:
    OnlineLyrics() {
        files_.files["C:\\L\\Rain.txt"] = "rain words";
        files_.files["C:\\F\\Sun.lrc"] = "[00:01.00]sun words\r\n";
        files_.folders.insert(kFolder);
        auto list = std::make_unique<TLyricsList>();
        list->Add("Rain", "C:\\L\\Rain.txt", 0, 0);
        form_.UseLyricsList(std::move(list));
        form_.SetDefaultLyricsFolder(kDefaultFolder);
        window_.exists = true;
        Set(true, kFolder);
        form_.tmrTitleCheckTimer();  // no player yet; from now on settings apply at once
    }

    void Set(bool online, std::string folder) {
        test::ChangeSettings(form_, [&](MainFormSettings& s) {
            s.onlineLyrics = online;
            s.onlineLyricsUrl = kUrl;
            s.lyricsFolder = std::move(folder);
        });
    }
    // The title check finds title; the searches it started.
    Strings Play(const std::string& title) {
        form_.TakeSongTitle(title);
        return std::exchange(form_.searches, {});
    }
    Strings Shown() { return std::exchange(window_.events, {}); }

    test::MemoryFileSystem files_;
    ScopedFileSystem scope_{files_};
    test::ScriptedTitleGet player_;
    test::RecordingLyricsWindow window_;
    SearchingForm form_{player_, window_, [](const std::string&) {}};
};

TEST_F(OnlineLyrics, OnlyTitlesWithoutLyricsAreSearchedOncePerRunWhileTheSettingIsOn) {
    const std::string wind = std::string(kUrl) + " Wind";
    struct Row {
        const char* title;
        Strings searched;
    };
    const Row rows[] = {
        {"Wind", {wind}},
        {"Rain", {}},                             // an entry in the list
        {"Sun", {}},                              // a file in the lyrics folder
        {"Wind", {}},                             // once per run, though nothing came yet
        {"wind", {std::string(kUrl) + " wind"}},  // titles are told apart byte for byte
        {"PlayerNotFound", {}},
        {"", {}},
        {"   ", {}},
        {"Star", {std::string(kUrl) + " Star"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Play(row.title), row.searched) << row.title;
    }
    // A failure is not asked again either.
    form_.TakeSearchResult(Result("Star", SearchOutcome::kFailed, SearchFailure::kTimedOut));
    Play("Wind");
    EXPECT_EQ(Play("Star"), Strings{});

    // Off: nothing is searched; turned on while a title plays, that title is.
    Set(false, kFolder);
    EXPECT_EQ(Play("Moon"), Strings{});
    Set(true, kFolder);
    EXPECT_EQ(std::exchange(form_.searches, {}), Strings{std::string(kUrl) + " Moon"});
    EXPECT_TRUE(form_.told.empty());
}

TEST_F(OnlineLyrics, FoundLyricsAreSavedOnceAndShownOnlyWhileTheirTitlePlays) {
    Play("Wind");
    Shown();
    form_.TakeSearchResult(Found("Wind", "wind words"));
    EXPECT_EQ(files_.files.at("C:\\F\\Wind.lrc"), kMark + "wind words\r\n");
    EXPECT_EQ(Shown(), Strings{"show wind words"});

    // The title changed before its result came: saved, not shown.
    Play(Ansi("風/の:道"));
    Play("Star");
    Shown();
    form_.TakeSearchResult(Found(Ansi("風/の:道"), "kaze"));
    EXPECT_EQ(Shown(), Strings{});
    EXPECT_EQ(files_.files.at(Ansi("C:\\F\\風／の：道.lrc")), kMark + "kaze\r\n");
    Play(Ansi("風/の:道"));
    EXPECT_EQ(Shown(), Strings{"show kaze"}) << "the look-up finds it from then on";

    // A file there already is never written over: the look-up's ".txt" neither.
    files_.files["C:\\F\\Star.txt"] = "star words";
    files_.files["C:\\F\\Moon.lrc"] = "moon words";
    const int writes = files_.writes;
    form_.TakeSearchResult(Found("Star", "other"));
    form_.TakeSearchResult(Found("Moon", "other"));
    EXPECT_EQ(files_.writes, writes);
    EXPECT_EQ(files_.files.count("C:\\F\\Star.lrc"), 0u);
    EXPECT_EQ(files_.files.at("C:\\F\\Moon.lrc"), "moon words");
    EXPECT_EQ(form_.LyricsList()->Count(), 1) << "nothing is added to the list";
    EXPECT_TRUE(form_.told.empty());
}

TEST_F(OnlineLyrics, ASongWithoutWordsShowsANoteAndSavesNothing) {
    Play("Calm");
    Shown();
    const int writes = files_.writes;
    form_.TakeSearchResult(Result("Calm", SearchOutcome::kInstrumental));
    EXPECT_EQ(Shown(), Strings{Ansi("show ■Instrumental：Calm")});
    EXPECT_EQ(files_.writes, writes);
    Play("Rain");
    Play("Calm");
    EXPECT_EQ(Shown(), (Strings{"show rain words", Ansi("show ■Instrumental：Calm")}));
    EXPECT_EQ(Play("Calm"), Strings{});
}

// Each end of a search the user did not ask for: nothing saved, shown or told.
TEST_F(OnlineLyrics, FailuresAndNothingFoundChangeNothing) {
    const SearchResult results[] = {
        Result("Wind", SearchOutcome::kNotFound, SearchFailure::kNone, 404),
        Result("Wind", SearchOutcome::kFailed, SearchFailure::kHttpStatus, 500),
        Result("Wind", SearchOutcome::kFailed, SearchFailure::kNameNotResolved),
        Result("Wind", SearchOutcome::kFailed, SearchFailure::kTimedOut),
    };
    Play("Wind");
    Shown();
    const int writes = files_.writes;
    for (const SearchResult& result : results) {
        form_.TakeSearchResult(result);
    }
    EXPECT_EQ(files_.writes, writes);
    EXPECT_EQ(Shown(), Strings{});
    EXPECT_TRUE(form_.told.empty());
}

TEST_F(OnlineLyrics, TheTraySearchesThePlayingTitleAndTellsWhatCameOfIt) {
    Set(false, kFolder);
    Play("Rain");  // lyrics from the list: the user may still ask
    form_.mitSearchOnlineClick();
    EXPECT_EQ(std::exchange(form_.searches, {}), Strings{std::string(kUrl) + " Rain"});
    form_.TakeSearchResult(Found("Rain", "other rain"));
    EXPECT_EQ(files_.files.at("C:\\F\\Rain.lrc"), kMark + "other rain\r\n");
    EXPECT_TRUE(form_.told.empty()) << "saved: nothing to tell";

    struct Row {
        SearchResult result;
        std::string told;
    };
    const std::string quoted = Ansi("「Wind」");
    const Row rows[] = {
        {Result("Wind", SearchOutcome::kNotFound), quoted + Ansi("の歌詞は見つかりませんでした。")},
        {Result("Wind", SearchOutcome::kInstrumental),
         quoted + Ansi("は歌詞のない曲（インストゥルメンタル）として登録されています。")},
        {Result("Wind", SearchOutcome::kFailed, SearchFailure::kHttpStatus, 503),
         "!" + quoted +
             Ansi("の歌詞を探せませんでした。\r\n歌詞サービスがエラーを返しました（HTTP 503）。"
                  "しばらくしてからもう一度お試しください。")},
        {Result("Wind", SearchOutcome::kFailed, SearchFailure::kNameNotResolved),
         "!" + quoted +
             Ansi("の歌詞を探せませんでした。\r\n歌詞サービスのサーバーが見つかりません。"
                  "インターネットにつながっているか、アドレスが正しいかを確かめてください。")},
        {Found("Wind", "x"),
         quoted + Ansi("の歌詞ファイルは歌詞フォルダにすでにあるので、そのままにしました：\r\n") +
             "C:\\F\\Wind.txt"},
    };
    files_.files["C:\\F\\Wind.txt"] = "wind";
    Play("Wind");
    for (const Row& row : rows) {
        form_.mitSearchOnlineClick();
        // Asked again while it runs: one search, told once.
        form_.mitSearchOnlineClick();
        EXPECT_EQ(std::exchange(form_.searches, {}), Strings{std::string(kUrl) + " Wind"});
        form_.TakeSearchResult(row.result);
        EXPECT_EQ(std::exchange(form_.told, {}), Strings{row.told});
    }
    // The automatic search does not ask again for a title the user searched.
    Set(true, kFolder);
    files_.files.erase("C:\\F\\Wind.txt");
    Play("Rain");
    EXPECT_EQ(Play("Wind"), Strings{});
    // Nothing to search while no song plays.
    Play("PlayerNotFound");
    form_.mitSearchOnlineClick();
    EXPECT_EQ(form_.searches, Strings{});
}

TEST_F(OnlineLyrics, WithoutALyricsFolderTheDefaultOneIsMadeAndLookedInOnceItExists) {
    files_.files[std::string(kDefaultFolder) + "Sun.lrc"] = "default sun";
    Set(true, "");
    EXPECT_EQ(form_.LyricsFolderInUse(), "") << "not there yet: the look-up costs nothing";
    EXPECT_EQ(Play("Wind"), Strings{std::string(kUrl) + " Wind"});
    form_.TakeSearchResult(Found("Wind", "wind words"));
    EXPECT_EQ(files_.folders.count(kDefaultFolder), 1u);
    EXPECT_EQ(files_.files.at(std::string(kDefaultFolder) + "Wind.lrc"), kMark + "wind words\r\n");
    EXPECT_EQ(form_.LyricsFolderInUse(), kDefaultFolder);
    EXPECT_EQ(form_.DisplayTextOf("Wind"), "wind words");
    EXPECT_EQ(form_.DisplayTextOf("Sun"), "default sun");
    // A lyrics folder set comes instead of it.
    Set(true, kFolder);
    EXPECT_EQ(form_.LyricsFolderInUse(), kFolder);
    EXPECT_EQ(form_.DisplayTextOf("Sun"), "sun words");

    // A default folder that cannot be made: nothing saved, the user told where.
    files_.folders.erase(kDefaultFolder);
    Set(false, "");
    EXPECT_EQ(form_.LyricsFolderInUse(), "") << "removed by hand";
    files_.failWrites = true;
    Play("Star");
    form_.mitSearchOnlineClick();
    form_.TakeSearchResult(Found("Star", "x"));
    EXPECT_EQ(form_.told,
              Strings{"!" + Ansi("「Star」の歌詞は見つかりましたが、保存できません：\r\n") +
                      kDefaultFolder});
}

}  // namespace
}  // namespace vesk
