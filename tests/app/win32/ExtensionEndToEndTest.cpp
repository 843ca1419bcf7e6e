// Vesk.exe with the lyrics files of today's tools: a UTF-8 file and an LRC file shown as
// their text, a song with no entry found in the lyrics folder, and the overlay text file
// following the songs. Arguments: Vesk.exe, fake_player.exe, close_window.exe.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ScreenCapture.h"
#include "TestText.h"
#include "app/win32/LyricsPictures.h"
#include "app/win32/VeskDriver.h"
#include "common/FileSystem.h"
#include "title/win32/FakePlayerProcess.h"

namespace vesk {
namespace {

using test::Ansi;
using test::ExpectShows;
using test::PumpUntil;

// A file of the folder with exactly these bytes.
void WriteBytes(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(path, bytes)) << path;
}

TEST(VeskExtras, TodaysLyricsFilesTheLyricsFolderAndTheOverlayFile) {
    test::ProgramFolder folder;
    const std::string path = folder.Path();                                     // ASCII
    WriteBytes(folder / "rain.txt", "\xEF\xBB\xBF雨の音が\r\n窓をたたく\r\n");  // UTF-8
    WriteBytes(folder / "star.lrc", Ansi("[ti:星の歌]\r\n[ar:青空]\r\n[00:01.00]星がひとつ\r\n"
                                         "[00:05.00][00:30.00]夜空に光る\r\n"));
    ASSERT_TRUE(CreateDirectoryA((folder / "lyrics").c_str(), nullptr));
    // UTF-16 (little-endian, as this machine), found by the song's title alone.
    const std::u16string wind = u"\xFEFF[00:02.00]風が吹く\r\n道の上\r\n";
    WriteBytes(folder / Ansi("lyrics\\風の道.lrc"),
               std::string(reinterpret_cast<const char*>(wind.data()), 2 * wind.size()));
    folder.Write("Vesk.csv", "\"夏の雨\",\"" + path + "rain.txt\",0,0\r\n\"星の歌\",\"" + path +
                                 "star.lrc\",0,0\r\n");
    const std::string list = folder.Read("Vesk.csv");
    folder.Write("Vesk.ini",
                 std::string("[TitleGet]\r\nGetClassName=VeskE2E.Extras\r\nTopCut=0\r\n"
                             "Delimiters=-\r\nCheckTime=100\r\n[LyricsForm]\r\n") +
                     test::kLyricsWindowKeys +
                     "FormClientPos.X=40\r\nFormClientPos.Y=560\r\n[Extension]\r\nLyricsFolder=" +
                     path + "lyrics\\\r\nOverlayTextFile=" + path + "overlay.txt\r\n");
    const auto overlayShows = [&](const std::string& utf8) {
        return PumpUntil([&] { return folder.Read("overlay.txt") == utf8; }, 10000);
    };

    test::FakePlayerProcess player(test::FakePlayerProgram(), "VeskE2E.Extras",
                                   Ansi("夏の雨 - 青空"));
    ASSERT_TRUE(player.Started());
    test::ReferenceLyrics& reference = test::ReferenceLyrics::Instance();
    const test::ScreenPicture rain = reference.Show("雨の音が\r\n窓をたたく");
    const test::ScreenPicture star = reference.Show("星がひとつ\r\n夜空に光る");
    const test::ScreenPicture folderWind = reference.Show("風が吹く\r\n道の上");

    test::VeskProcess vesk(folder.Program());
    ASSERT_TRUE(vesk.WaitReady());
    const HWND window = vesk.LyricsWindow();
    ASSERT_NE(window, nullptr);
    ExpectShows(window, rain, "utf8");
    EXPECT_TRUE(overlayShows("雨の音が\r\n窓をたたく")) << folder.Read("overlay.txt");

    ASSERT_TRUE(player.SetCaption("星の歌 - 青空"));
    ExpectShows(window, star, "lrc");
    EXPECT_TRUE(overlayShows("星がひとつ\r\n夜空に光る")) << folder.Read("overlay.txt");

    ASSERT_TRUE(player.SetCaption("風の道 - 青空"));
    ExpectShows(window, folderWind, "lyrics_folder");
    EXPECT_TRUE(overlayShows("風が吹く\r\n道の上")) << folder.Read("overlay.txt");

    ASSERT_TRUE(player.SetCaption("夏の雨 - 青空"));
    ExpectShows(window, rain, "utf8_again");
    EXPECT_TRUE(overlayShows("雨の音が\r\n窓をたたく")) << folder.Read("overlay.txt");

    EXPECT_EQ(vesk.Exit(), std::optional<DWORD>(0));
    // Nothing was added for the song of the lyrics folder; the exit empties the overlay.
    EXPECT_EQ(folder.Read("Vesk.csv"), list);
    EXPECT_EQ(folder.Read("overlay.txt"), "");
}

}  // namespace
}  // namespace vesk
