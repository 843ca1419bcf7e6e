// The main form and the lyrics service: which titles it searches, what it saves and shows
// of a result, what the tray's search tells, and the default lyrics folder. (What each
// failing answer leaves behind is shown end to end, with Vesk.exe and the fake service.)

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "MemoryFileSystem.h"
#include "TestText.h"
#include "app/FakeMainParts.h"
#include "app/untMain.h"

namespace vesk {
namespace {

using test::Ansi;
using Strings = std::vector<std::string>;

constexpr char kFolder[] = "C:\\F\\";
constexpr char kDefaultFolder[] = "C:\\Vesk\\Lyrics\\";

// A main form that notes the titles it searches and what it tells the user.
class SearchingForm : public test::TestMainForm {
public:
    using TestMainForm::TestMainForm;
    Strings searches;
    Strings queued;  // not begun yet
    Strings told;    // "!" before a problem

protected:
    void StartOnlineSearch(const std::string& address, const std::string& title) override {
        searches.push_back(address == "U" ? title : "wrong address");
        queued.push_back(title);
    }
    Strings DropQueuedOnlineSearches() override { return std::exchange(queued, {}); }
    void ShowSearchReport(const std::string& text, bool problem) override {
        told.push_back((problem ? "!" : "") + text);
    }
};

SearchResult Result(std::string title, SearchOutcome outcome, std::string words = {}) {
    SearchResult result;
    result.title = std::move(title);
    result.outcome = outcome;
    if (!words.empty()) {
        result.fileBytes = "\xEF\xBB\xBF" + words + "\r\n";
    }
    return result;
}

class OnlineLyrics : public testing::Test {
protected:
    OnlineLyrics() {
        files_.files["C:\\L\\Rain.txt"] = "rain words";
        files_.files["C:\\F\\Sun.lrc"] = "[00:01.00]sun words\r\n";
        auto list = std::make_unique<TLyricsList>();
        list->Add("Rain", "C:\\L\\Rain.txt", 0, 0);
        form_.UseLyricsList(std::move(list));
        form_.SetDefaultLyricsFolder(kDefaultFolder);
        window_.exists = true;
        Set(true, kFolder);
        form_.tmrTitleCheckTimer();  // no player yet; from now on settings apply at once
        window_.events.clear();
    }

    void Set(bool online, std::string folder) {
        test::ChangeSettings(form_, [&](MainFormSettings& s) {
            s.onlineLyrics = online;
            s.onlineLyricsUrl = "U";
            s.lyricsFolder = std::move(folder);
        });
    }
    // The title check finds title: the titles searched since the last call.
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
    const std::pair<const char*, Strings> rows[] = {
        {"Wind", {"Wind"}},
        {"Rain", {}},        // an entry in the list
        {"Sun", {}},         // a file in the lyrics folder
        {"Wind", {}},        // once per run, though nothing came yet
        {"wind", {"wind"}},  // titles differ byte for byte
        {"PlayerNotFound", {}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& [title, searched] : rows) {
        EXPECT_EQ(Play(title), searched) << title;
    }
    // Off: nothing is searched; turned on while a title plays, that title is.
    Set(false, kFolder);
    EXPECT_EQ(Play("Moon"), Strings{});
    Set(true, kFolder);
    EXPECT_EQ(form_.searches, Strings{"Moon"});
}

TEST_F(OnlineLyrics, LyricsFoundAreSavedAsANewFileAndShownOnlyWhileTheirTitlePlays) {
    Play("Wind");
    form_.TakeSearchResult(Result("Wind", SearchOutcome::kFound, "wind words"));
    EXPECT_EQ(files_.files.at("C:\\F\\Wind.lrc"), "\xEF\xBB\xBFwind words\r\n");
    Play(Ansi("風/の道"));
    Play("Calm");
    form_.TakeSearchResult(Result(Ansi("風/の道"), SearchOutcome::kFound, "kaze"));
    form_.TakeSearchResult(Result("Calm", SearchOutcome::kInstrumental));
    Play(Ansi("風/の道"));  // found by the look-up from now on
    Strings shown;
    for (const char* text : {"■Title Not Found：Wind", "wind words", "■Title Not Found：風/の道",
                             "■Title Not Found：Calm", "■Instrumental：Calm", "kaze"}) {
        shown.push_back("show " + Ansi(text));
    }
    EXPECT_EQ(Shown(), shown);
    EXPECT_EQ(files_.files.count(Ansi("C:\\F\\風／の道.lrc")), 1u);

    // A file there already is kept as it is: the title's ".lrc", and its ".txt", which the
    // look-up shows first.
    files_.files["C:\\F\\Star.txt"] = "star words";
    files_.files["C:\\F\\Moon.lrc"] = "moon words";
    const auto before = files_.files;
    form_.TakeSearchResult(Result("Star", SearchOutcome::kFound, "other"));
    form_.TakeSearchResult(Result("Moon", SearchOutcome::kFound, "other"));
    EXPECT_EQ(files_.files, before);
    EXPECT_EQ(form_.LyricsList()->Count(), 1) << "nothing is added to the list";
    EXPECT_TRUE(form_.told.empty());
}

TEST_F(OnlineLyrics, TheTraySearchesThePlayingTitleOnceAndTellsWhatCameOfIt) {
    Set(false, kFolder);
    files_.files["C:\\F\\Wind.txt"] = "wind";
    Play("Wind");
    const std::pair<SearchResult, std::string> rows[] = {
        {Result("Wind", SearchOutcome::kNotFound), "「Wind」の歌詞は見つかりませんでした。"},
        {Result("Wind", SearchOutcome::kFound, "x"),
         "「Wind」の歌詞ファイルは歌詞フォルダにすでにあるので、そのままにしました：\r\n"
         "C:\\F\\Wind.txt"},
    };
    for (const auto& [result, told] : rows) {
        form_.mitSearchOnlineClick();
        form_.mitSearchOnlineClick();  // while it runs: one search, told once
        EXPECT_EQ(std::exchange(form_.searches, {}), Strings{"Wind"});
        form_.TakeSearchResult(result);
        EXPECT_EQ(std::exchange(form_.told, {}), Strings{Ansi(told)});
    }
    // Saved for a title whose list entry shows: told where the file went.
    Play("Rain");
    form_.mitSearchOnlineClick();
    form_.TakeSearchResult(Result("Rain", SearchOutcome::kFound, "new rain"));
    EXPECT_EQ(std::exchange(form_.told, {}),
              Strings{Ansi("「Rain」の歌詞を保存しました。歌詞リストに登録があるので、表示はそち"
                           "らのままです：\r\nC:\\F\\Rain.lrc")});
    form_.searches.clear();
    // Not searched again by itself; nothing to search while no song plays.
    Set(true, kFolder);
    files_.files.erase("C:\\F\\Wind.txt");
    Play("Rain");
    EXPECT_EQ(Play("Wind"), Strings{});
    Play("PlayerNotFound");
    form_.mitSearchOnlineClick();
    EXPECT_EQ(form_.searches, Strings{});
}

TEST_F(OnlineLyrics, WithoutALyricsFolderTheDefaultOneIsMadeAndLookedInOnceItExists) {
    files_.files[std::string(kDefaultFolder) + "Sun.lrc"] = "default sun";
    Set(true, "");
    EXPECT_EQ(form_.LyricsFolderInUse(), "") << "not there: the look-up costs nothing";
    Play("Wind");
    form_.TakeSearchResult(Result("Wind", SearchOutcome::kFound, "wind words"));
    EXPECT_EQ(files_.folders.count(kDefaultFolder), 1u);
    EXPECT_EQ(form_.LyricsFolderInUse(), kDefaultFolder);
    EXPECT_EQ(form_.DisplayTextOf("Sun"), "default sun");
    Set(true, kFolder);  // a lyrics folder set comes first
    EXPECT_EQ(form_.DisplayTextOf("Sun"), "sun words");

    // Removed by hand, then not to be made again: nothing saved, the user told where.
    files_.folders.clear();
    Set(false, "");
    EXPECT_EQ(form_.LyricsFolderInUse(), "");
    files_.failWrites = true;
    Play("Star");
    form_.mitSearchOnlineClick();
    form_.TakeSearchResult(Result("Star", SearchOutcome::kFound, "x"));
    EXPECT_EQ(form_.told,
              Strings{"!" + Ansi("「Star」の歌詞は見つかりましたが、保存できません：\r\n") +
                      kDefaultFolder});
}

TEST_F(OnlineLyrics, TurnedOffSearchesNotBegunAreDroppedAndNoneSavesAnything) {
    Play("Wind");
    Play("Star");
    form_.mitSearchOnlineClick();  // the user waits for Star
    form_.queued = {"Star"};       // Wind's request is under way
    Set(false, kFolder);
    EXPECT_EQ(std::exchange(form_.searches, {}), Strings{"Star"}) << "asked again";
    form_.TakeSearchResult(Result("Wind", SearchOutcome::kFound, "wind words"));
    form_.TakeSearchResult(Result("Star", SearchOutcome::kFound, "star words"));
    EXPECT_EQ(files_.files.count("C:\\F\\Wind.lrc"), 0u);
    EXPECT_EQ(files_.files.count("C:\\F\\Star.lrc"), 1u);
    // A title dropped before its request may be searched once the setting is on again.
    Play("Moon");
    Set(true, kFolder);
    form_.searches.clear();
    Set(false, kFolder);
    Set(true, kFolder);
    EXPECT_EQ(form_.searches, Strings{"Moon"});
}

TEST_F(OnlineLyrics, AFolderLyricsBesideTheProgramIsLookedInOnlyWhileTheSearchIsOn) {
    files_.folders.insert(kDefaultFolder);
    files_.files[std::string(kDefaultFolder) + "Sun.lrc"] = "default sun";
    Set(false, "");
    EXPECT_EQ(form_.LyricsFolderInUse(), "") << "the user's own folder of that name";
    Set(true, "");
    EXPECT_EQ(form_.LyricsFolderInUse(), kDefaultFolder);
}

}  // namespace
}  // namespace vesk
