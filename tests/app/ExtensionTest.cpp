// The main form's extras beyond the lyrics list: the lyrics folder, where a title with no
// entry finds its lyrics file by name, and the overlay text file, which follows the display
// text for streaming software.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemoryFileSystem.h"
#include "TestText.h"
#include "app/FakeMainParts.h"
#include "app/LyricsFolder.h"
#include "app/untMain.h"
#include "common/FileSystem.h"

namespace vesk {
namespace {

using test::Ansi;

TEST(LyricsFolder, TheTitleNamesTheFileTxtBeforeLrc) {
    test::MemoryFileSystem files;
    files.files["C:\\L\\Rain.txt"] = "";
    files.files["C:\\L\\Rain.lrc"] = "";
    files.files["C:\\L\\Sun.lrc"] = "";
    files.files[Ansi("C:\\L\\Q？ A：B.txt")] = "";
    files.files[Ansi("C:\\表\\Moon.txt")] = "";
    files.folders.insert("C:\\L\\Dir.txt");
    const ScopedFileSystem scope(files);
    const struct {
        std::string folder;
        std::string title;
        std::string file;
    } rows[] = {
        {"C:\\L\\", "Rain", "C:\\L\\Rain.txt"},
        {"C:\\L\\", "Sun", "C:\\L\\Sun.lrc"},
        {"C:\\L", "Rain", "C:\\L\\Rain.txt"},
        {"C:\\L\\", "Q? A:B", Ansi("C:\\L\\Q？ A：B.txt")},  // as paste assignment names it
        {Ansi("C:\\表"), "Moon", Ansi("C:\\表\\Moon.txt")},  // 表 ends in a 0x5C byte
        {"C:\\L\\", "rain", ""},  // the file system decides letter case; this one heeds it
        {"C:\\L\\", "Dir", ""},
        {"C:\\L\\", "Wind", ""},
        {"C:\\L\\", "", ""},
        {"", "Rain", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LyricsFolderFile(row.folder, row.title), row.file)
            << row.folder << " " << row.title;
    }
}

// A main form that notes what it would tell the user.
class TellingForm : public test::TestMainForm {
public:
    using TestMainForm::TestMainForm;
    std::vector<std::string> told;

protected:
    void ShowOverlayNotWritten(const std::string& path) override { told.push_back(path); }
};

class Extension : public testing::Test {
protected:
    Extension() {
        files_.files["C:\\L\\Rain.txt"] = "rain words";
        files_.files["C:\\F\\Sun.lrc"] = "[ti:Sun]\r\n[00:01.00]sun words\r\n";
        files_.files["C:\\F\\Rain.txt"] = "folder rain";
        auto list = std::make_unique<TLyricsList>();
        list->Add("Rain", "C:\\L\\Rain.txt", 0, 0);
        form_.UseLyricsList(std::move(list));
        test::ChangeSettings(form_, [](MainFormSettings& s) { s.topCut = 0; });
    }

    void Check(const std::string& caption) {
        player_.caption = caption;
        form_.tmrTitleCheckTimer();
    }
    MainFormSettings With(std::string folder, std::string overlay) const {
        MainFormSettings settings = form_.Settings();
        settings.lyricsFolder = std::move(folder);
        settings.overlayTextFile = std::move(overlay);
        return settings;
    }
    std::string Overlay() const { return files_.files.at(kOverlay); }

    static constexpr const char* kOverlay = "C:\\Stream\\now.txt";
    test::MemoryFileSystem files_;
    ScopedFileSystem scope_{files_};
    test::ScriptedTitleGet player_;
    test::RecordingLyricsWindow window_;
    TellingForm form_{player_, window_, [](const std::string&) {}};
};

TEST_F(Extension, TheLyricsFolderShowsTitlesWithoutAnEntryAndAddsNothing) {
    form_.ApplyMainSettings(With("C:\\F\\", ""));
    EXPECT_EQ(form_.DisplayTextOf("Rain"), "rain words") << "the list comes first";
    EXPECT_EQ(form_.DisplayTextOf("Sun"), "sun words");
    EXPECT_EQ(form_.DisplayTextOf("Wind"), Ansi("■Title Not Found：Wind"));
    EXPECT_EQ(form_.DisplayTextOf("PlayerNotFound"), Ansi("■Player Not Found"));
    EXPECT_EQ(form_.LyricsList()->Count(), 1);
    EXPECT_EQ(files_.writes, 0);
    // "メモ帳で開く" opens the file shown.
    EXPECT_EQ(form_.LyricsFileOf("Rain"), "C:\\L\\Rain.txt");
    EXPECT_EQ(form_.LyricsFileOf("Sun"), "C:\\F\\Sun.lrc");
    EXPECT_EQ(form_.LyricsFileOf("Wind"), "");
    form_.ApplyMainSettings(With("", ""));
    EXPECT_EQ(form_.DisplayTextOf("Sun"), Ansi("■Title Not Found：Sun"));
    EXPECT_EQ(form_.LyricsFileOf("Sun"), "");
}

TEST_F(Extension, TheOverlayFileFollowsEverySongChangeInUtf8) {
    window_.exists = true;
    form_.ApplyMainSettings(With("C:\\F\\", kOverlay));
    Check("Rain - Band");
    EXPECT_EQ(Overlay(), "rain words");
    Check("Sun - Band");
    EXPECT_EQ(Overlay(), "sun words");
    Check(Ansi("風の道 - Band"));
    EXPECT_EQ(Overlay(), "■Title Not Found：風の道");
    // The same text again (a reload) is not written again.
    const int writes = files_.writes;
    form_.RefreshLyrics();
    EXPECT_EQ(files_.writes, writes);
    // With the window closed the file still follows the song.
    window_.exists = false;
    Check("Rain - Band");
    EXPECT_EQ(Overlay(), "rain words");
    // The program's exit empties it.
    form_.ClearOverlayText();
    EXPECT_EQ(Overlay(), "");
    EXPECT_TRUE(form_.told.empty());
}

TEST_F(Extension, NewSettingsTakeEffectOnceTheFirstCheckHasRun) {
    form_.ApplyMainSettings(With("", kOverlay));
    EXPECT_EQ(files_.files.count(kOverlay), 0u) << "no song yet";
    Check("Sun - Band");
    EXPECT_EQ(Overlay(), "■Title Not Found：Sun");  // UTF-8
    form_.ApplyMainSettings(With("C:\\F\\", kOverlay));
    EXPECT_EQ(Overlay(), "sun words");
    form_.ApplyMainSettings(With("C:\\F\\", "C:\\Stream\\other.txt"));
    EXPECT_EQ(files_.files.at("C:\\Stream\\other.txt"), "sun words");
}

TEST_F(Extension, AnOverlayFileThatCannotBeWrittenIsToldOnce) {
    files_.failWrites = true;
    form_.ApplyMainSettings(With("", kOverlay));
    Check("Rain - Band");
    Check("Sun - Band");
    form_.ClearOverlayText();
    EXPECT_EQ(form_.told, std::vector<std::string>{kOverlay});
    files_.failWrites = false;
    Check("Rain - Band");
    EXPECT_EQ(Overlay(), "rain words");
}

}  // namespace
}  // namespace vesk
