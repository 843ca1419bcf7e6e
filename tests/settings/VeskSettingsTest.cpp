#include "settings/VeskSettings.h"

#include <gtest/gtest.h>

#include "MemoryFileSystem.h"
#include "TestText.h"

namespace vesk {
namespace {

using test::Ansi;

const std::string kPath = SettingsFilePathIn("C:\\Program Files\\Vesk\\");

class VeskSettingsTest : public testing::Test {
protected:
    void SetFile(const std::string& content) { files_.files[kPath] = content; }
    std::string File() const { return files_.files.at(kPath); }

    test::MemoryFileSystem files_;
    ScopedFileSystem scope_{files_};
};

TEST_F(VeskSettingsTest, PathIsTheProgramFolderAndAFixedName) {
    EXPECT_EQ(kPath, "C:\\Program Files\\Vesk\\Vesk.ini");
}

TEST_F(VeskSettingsTest, WithoutAFileEveryReaderUsesTheDefaults) {
    const StartupSettings startup = ReadStartupSettings(kPath);
    EXPECT_TRUE(startup.lyricShow);
    EXPECT_FALSE(startup.connectionOn);

    const MainFormSettings main = ReadMainFormSettings(kPath);
    EXPECT_EQ(main.getClassName, "Lilith");
    EXPECT_EQ(main.getTitle, "");
    EXPECT_EQ(main.topCut, 8);
    EXPECT_EQ(main.bottomCut, 0);
    EXPECT_EQ(main.titlePos, 1);
    EXPECT_EQ(main.delimiters, "-<>");
    EXPECT_EQ(main.checkTime, 1000);
    EXPECT_TRUE(main.sensetive);
    EXPECT_EQ(main.player, "");
    EXPECT_FALSE(main.lyricsMasterOn);
    EXPECT_EQ(main.lyricsMasterPath, "");
    EXPECT_FALSE(main.closePlayer);
    EXPECT_EQ(main.pasteSavePath, "");
    EXPECT_FALSE(main.notAmazon);
    EXPECT_EQ(main.priority, 1);

    // The window's font and geometry stay what the window had.
    LyricsWindowSettings window;
    window.font.charset = kShiftJisCharset;
    window.size = {280, 159};
    window.position = {205, 528};
    window.backColor = 0x123;
    window.alphaBlendValue = 7;
    window.formFix = true;
    ReadLyricsWindowSettings(kPath, window);
    EXPECT_EQ(window.font.name, Ansi("ＭＳ Ｐゴシック"));
    EXPECT_EQ(window.font.size, 9);
    EXPECT_EQ(window.font.color, kClWindowText);
    EXPECT_EQ(window.size, (WindowSize{280, 159}));
    EXPECT_EQ(window.position, (WindowPosition{205, 528}));
    EXPECT_EQ(window.backColor, kClWhite);
    EXPECT_EQ(window.alphaBlendValue, 255);
    EXPECT_FALSE(window.alphaBlend);
    EXPECT_FALSE(window.formFix);
    EXPECT_EQ(window.shadowLeft, 0);
    EXPECT_EQ(window.shadowTop, 0);
    EXPECT_EQ(window.shadowColor, 0x00808080u);

    DisplaySettings display;
    display.font.name = "Arial";
    display.alignment = -1;
    ReadDisplaySettings(kPath, display);
    EXPECT_EQ(display.font, NewFont());
    EXPECT_EQ(display.alignment, 0);

    const TitleGetSettings title = ReadTitleGetSettings(kPath);
    EXPECT_EQ(title.getClassName, "Lilith");
    EXPECT_EQ(title.checkTime, 1000);
    const ConnectionSettings connection = ReadConnectionSettings(kPath);
    EXPECT_FALSE(connection.connectionOn);
    EXPECT_EQ(connection.priority, 1);
    EXPECT_TRUE(files_.files.empty());
}

TEST_F(VeskSettingsTest, PresentEmptyValues) {
    SetFile("[TitleGet]\r\nGetClassName=\r\nCheckTime=\r\n");
    const MainFormSettings main = ReadMainFormSettings(kPath);
    EXPECT_EQ(main.getClassName, "");
    EXPECT_EQ(main.checkTime, 1000);
    EXPECT_EQ(ReadTitleGetSettings(kPath).getClassName, "");
}

TEST_F(VeskSettingsTest, TheTitleCheckUsesTheFirst255DelimiterBytes) {
    const std::string delimiters(300, '-');
    SetFile("[TitleGet]\r\nDelimiters=" + delimiters + "\r\n");
    EXPECT_EQ(ReadMainFormSettings(kPath).delimiters, delimiters.substr(0, 255));
    EXPECT_EQ(ReadTitleGetSettings(kPath).delimiters, delimiters);
}

TEST_F(VeskSettingsTest, FirstApplyThenExitWriteTheWholeFileInOrder) {
    LyricsWindowState window;
    window.size = {300, 120};
    window.position = {10, -20};
    window.formPos = 2;
    window.backTransparent = true;
    window.formFix = true;  // not the dialog's to write
    DisplaySettings display;
    display.alignment = -1;
    WriteDisplaySettings(kPath, display, &window);
    TitleGetSettings title;
    title.getClassName = Ansi("歌詞プレーヤー");
    WriteTitleGetSettings(kPath, title);
    ConnectionSettings connection;
    connection.lyricsMasterPath = "\"C:\\LM\\lm.exe\" [title]";
    WriteConnectionSettings(kPath, connection);
    WriteLyricShow(kPath, false);

    const std::string marker = Ansi("【quote】");
    EXPECT_EQ(File(),
              Ansi("[LyricsForm]\r\n"
                   "Font.Name=ＭＳ Ｐゴシック\r\nFont.Size=9\r\nFont.Style=0\r\n"
                   "Font.Color=0x80000008\r\n"
                   "FormAlphaBlend=0\r\nFormAlphaBlendValue=255\r\nBackColor=0x00FFFFFF\r\n"
                   "ChangeWidth=0\r\nFitBottom=0\r\nFitRight=0\r\nFadeInOut=0\r\n"
                   "Alignment=-1\r\nShadowColor=0x00808080\r\nShadowLeft=0\r\n"
                   "ShadowTop=0\r\nShadowHighLight=0\r\n"
                   "FormSize.XSize=300\r\nFormSize.YSize=120\r\n"
                   "FormClientPos.X=10\r\nFormClientPos.Y=-20\r\n"
                   "FormPos=2\r\nBackTransparent=1\r\n"
                   "[TitleGet]\r\n"
                   "GetClassName=歌詞プレーヤー\r\nGetTitle=\r\nTopCut=8\r\nBottomCut=0\r\n"
                   "TitlePos=1\r\nDelimiters=-<>\r\nCheckTime=1000\r\nSensetive=1\r\n"
                   "[Connection]\r\n"
                   "On=0\r\nPlayer=\r\nLyricsMasterOn=0\r\n"
                   "LyricsMasterPath=【quote】C:\\LM\\lm.exe【quote】 [title]\r\nClose=0\r\n"
                   "[MainForm]\r\n"
                   "PasteSavePath=\r\nNotAmazon=0\r\nPriority=1\r\nLyricShow=0\r\n"));

    EXPECT_EQ(ReadMainFormSettings(kPath).lyricsMasterPath, connection.lyricsMasterPath);
    EXPECT_EQ(ReadConnectionSettings(kPath).lyricsMasterPath, connection.lyricsMasterPath);
    EXPECT_EQ(ReadMainFormSettings(kPath).getClassName, Ansi("歌詞プレーヤー"));
    EXPECT_FALSE(ReadStartupSettings(kPath).lyricShow);
}

TEST_F(VeskSettingsTest, ApplyWithTheLyricsWindowClosedLeavesItsStateAlone) {
    SetFile("[LyricsForm]\r\nFormPos=1\r\n");
    WriteDisplaySettings(kPath, DisplaySettings{}, nullptr);
    const std::string file = File();
    EXPECT_EQ(file.find("FormSize"), std::string::npos);
    EXPECT_EQ(file.find("FormClientPos"), std::string::npos);
    EXPECT_EQ(file.find("BackTransparent"), std::string::npos);
    EXPECT_NE(file.find("FormPos=1\r\n"), std::string::npos);
}

TEST_F(VeskSettingsTest, LyricsWindowStateRoundTrip) {
    LyricsWindowState state;
    state.font = {Ansi("ＭＳ 明朝"), 24, kFontBold | kFontItalic, 0x00FFFFFE, kShiftJisCharset,
                  FontPitch::Default};
    state.size = {400, 60};
    state.position = {-100, 900};
    state.backTransparent = true;
    state.formPos = 1;
    state.formFix = true;
    WriteLyricsWindowState(kPath, state);
    EXPECT_EQ(File(), Ansi("[LyricsForm]\r\nFont.Name=ＭＳ 明朝\r\nFont.Size=24\r\nFont.Style=3\r\n"
                           "Font.Color=0x00FFFFFE\r\nFormSize.XSize=400\r\nFormSize.YSize=60\r\n"
                           "FormClientPos.X=-100\r\nFormClientPos.Y=900\r\n"
                           "BackTransparent=1\r\nFormPos=1\r\nFormFix=1\r\n"));

    LyricsWindowSettings read;
    ReadLyricsWindowSettings(kPath, read);
    EXPECT_EQ(read.font.name, state.font.name);
    EXPECT_EQ(read.font.style, state.font.style);
    EXPECT_EQ(read.font.color, state.font.color);
    EXPECT_EQ(read.size, state.size);
    EXPECT_EQ(read.position, state.position);
    EXPECT_TRUE(read.backTransparent);
    EXPECT_EQ(read.formPos, 1);
    EXPECT_TRUE(read.formFix);
}

TEST_F(VeskSettingsTest, AColourThatCannotBeReadStopsAtItsKey) {
    SetFile(
        "[LyricsForm]\r\nFont.Size=20\r\nFormSize.XSize=500\r\nFormAlphaBlend=1\r\n"
        "FormAlphaBlendValue=100\r\nBackColor=white\r\nFormPos=1\r\nShadowLeft=3\r\n");
    // Keys before "BackColor" are read; it and the rest keep the values the owner had.
    LyricsWindowSettings window;
    window.backColor = 0x111;
    window.formPos = 7;
    window.shadowLeft = 9;
    EXPECT_THROW(ReadLyricsWindowSettings(kPath, window), IniConvertError);
    EXPECT_EQ(window.font.size, 20);
    EXPECT_EQ(window.size.width, 500);
    EXPECT_TRUE(window.alphaBlend);
    EXPECT_EQ(window.alphaBlendValue, 100);
    EXPECT_EQ(window.backColor, 0x111u);
    EXPECT_EQ(window.formPos, 7);
    EXPECT_EQ(window.shadowLeft, 9);

    // The dialog shows the font after the other keys: it keeps its value too.
    DisplaySettings display;
    display.font.name = "initial";
    display.shadowLeft = 9;
    EXPECT_THROW(ReadDisplaySettings(kPath, display), IniConvertError);
    EXPECT_EQ(display.font.name, "initial");
    EXPECT_TRUE(display.alphaBlend);
    EXPECT_EQ(display.alphaBlendValue, 100);
    EXPECT_EQ(display.shadowLeft, 9);

    // A bad font colour stops the window before anything is read.
    SetFile("[LyricsForm]\r\nFont.Size=20\r\nFont.Color=\r\nFormSize.XSize=500\r\n");
    LyricsWindowSettings early;
    early.size = {1, 2};
    try {
        ReadLyricsWindowSettings(kPath, early);
        ADD_FAILURE() << "no error";
    } catch (const IniConvertError& error) {
        EXPECT_EQ(std::string(error.Message()), Ansi("'$' は整数ではありません"));
    }
    EXPECT_EQ(early.font, NewFont());
    EXPECT_EQ(early.size, (WindowSize{1, 2}));
}

TEST_F(VeskSettingsTest, AWindowWritesBackOnlyTheKeysItRead) {
    const std::string stored =
        "[LyricsForm]\r\nFormPos=2\r\nBackTransparent=1\r\nFormFix=1\r\nBackColor=0xZZ\r\n";
    SetFile(stored);
    LyricsWindowSettings window;
    std::size_t keysRead = 99;
    EXPECT_THROW(ReadLyricsWindowSettings(kPath, window, &keysRead), IniConvertError);
    EXPECT_EQ(keysRead, 5u);  // "Font", "FormSize", "FormClientPos" and the alpha keys

    LyricsWindowState state;
    state.font.name = "Arial";
    state.size = {300, 100};
    state.position = {1, 2};
    WriteLyricsWindowState(kPath, state, keysRead);
    const std::string windowKeys =
        "Font.Name=Arial\r\nFont.Size=9\r\nFont.Style=0\r\nFont.Color=0x80000008\r\n"
        "FormSize.XSize=300\r\nFormSize.YSize=100\r\nFormClientPos.X=1\r\nFormClientPos.Y=2\r\n";
    EXPECT_EQ(File(), stored + windowKeys);

    // The dialog's save while such a window is open: only its size and position.
    SetFile(stored);
    WriteDisplaySettings(kPath, DisplaySettings{}, &state, keysRead);
    const std::string written = File();
    EXPECT_NE(written.find("FormSize.XSize=300"), std::string::npos);
    EXPECT_NE(written.find("FormClientPos.Y=2"), std::string::npos);
    EXPECT_NE(written.find("FormPos=2\r\nBackTransparent=1\r\n"), std::string::npos);

    // Read to the end, everything is written.
    SetFile("[LyricsForm]\r\nFormPos=2\r\n");
    ReadLyricsWindowSettings(kPath, window, &keysRead);
    EXPECT_EQ(keysRead, kLyricsWindowKeyCount);
    WriteLyricsWindowState(kPath, state, keysRead);
    EXPECT_NE(File().find("FormPos=0"), std::string::npos);
}

TEST_F(VeskSettingsTest, EveryKeyHoldsItsOwnMember) {
    // Values unlike each other where their types allow. Flags alternate along the written
    // tables and the main form's, so that two neighbouring flag rows bound to each other's
    // member show.
    Font font = NewFont();
    font.name = "Arial";
    font.size = 12;
    font.style = kFontItalic;
    font.color = 0x00000102;
    const LyricsWindowState window{.font = font,
                                   .size = {301, 121},
                                   .position = {11, -21},
                                   .backTransparent = true,
                                   .formPos = 1,
                                   .formFix = false};
    const DisplaySettings display{.font = font,
                                  .alphaBlend = true,
                                  .alphaBlendValue = 200,
                                  .backColor = 0x00030405,
                                  .changeWidth = false,
                                  .fitBottom = true,
                                  .fitRight = false,
                                  .fadeInOut = true,
                                  .alignment = 2,
                                  .shadowColor = 0x00060708,
                                  .shadowLeft = -3,
                                  .shadowTop = 4,
                                  .shadowHighLight = false};
    const TitleGetSettings title{.getClassName = "Winamp v1.x",
                                 .getTitle = "Winamp",
                                 .topCut = 3,
                                 .bottomCut = 5,
                                 .titlePos = 7,
                                 .delimiters = "<>",
                                 .checkTime = 900,
                                 .sensetive = false};
    const ConnectionSettings connection{.connectionOn = false,
                                        .player = "C:\\Player\\play.exe",
                                        .closePlayer = false,
                                        .lyricsMasterOn = true,
                                        .lyricsMasterPath = "lm.exe [title]",
                                        .pasteSavePath = "C:\\Lyrics\\",
                                        .notAmazon = true,
                                        .priority = 3};
    WriteLyricsWindowState(kPath, window);
    WriteDisplaySettings(kPath, display, &window);
    WriteTitleGetSettings(kPath, title);
    WriteConnectionSettings(kPath, connection);
    WriteLyricShow(kPath, true);
    EXPECT_EQ(File(),
              "[LyricsForm]\r\nFont.Name=Arial\r\nFont.Size=12\r\nFont.Style=2\r\n"
              "Font.Color=0x00000102\r\nFormSize.XSize=301\r\nFormSize.YSize=121\r\n"
              "FormClientPos.X=11\r\nFormClientPos.Y=-21\r\nBackTransparent=1\r\nFormPos=1\r\n"
              "FormFix=0\r\nFormAlphaBlend=1\r\nFormAlphaBlendValue=200\r\n"
              "BackColor=0x00030405\r\nChangeWidth=0\r\nFitBottom=1\r\nFitRight=0\r\n"
              "FadeInOut=1\r\nAlignment=2\r\nShadowColor=0x00060708\r\nShadowLeft=-3\r\n"
              "ShadowTop=4\r\nShadowHighLight=0\r\n"
              "[TitleGet]\r\nGetClassName=Winamp v1.x\r\nGetTitle=Winamp\r\nTopCut=3\r\n"
              "BottomCut=5\r\nTitlePos=7\r\nDelimiters=<>\r\nCheckTime=900\r\nSensetive=0\r\n"
              "[Connection]\r\nOn=0\r\nPlayer=C:\\Player\\play.exe\r\nLyricsMasterOn=1\r\n"
              "LyricsMasterPath=lm.exe [title]\r\nClose=0\r\n"
              "[MainForm]\r\nPasteSavePath=C:\\Lyrics\\\r\nNotAmazon=1\r\nPriority=3\r\n"
              "LyricShow=1\r\n");

    // The groups that are only read, and the display page, whose font is read apart.
    EXPECT_EQ(ReadStartupSettings(kPath), (StartupSettings{true, false}));
    EXPECT_EQ(ReadMainFormSettings(kPath),
              (MainFormSettings{.topCut = 3,
                                .bottomCut = 5,
                                .titlePos = 7,
                                .delimiters = "<>",
                                .getClassName = "Winamp v1.x",
                                .getTitle = "Winamp",
                                .checkTime = 900,
                                .sensetive = false,
                                .player = connection.player,
                                .lyricsMasterOn = true,
                                .lyricsMasterPath = connection.lyricsMasterPath,
                                .closePlayer = false,
                                .pasteSavePath = connection.pasteSavePath,
                                .notAmazon = true,
                                .priority = 3}));
    LyricsWindowSettings read;
    ReadLyricsWindowSettings(kPath, read);
    EXPECT_EQ(read, (LyricsWindowSettings{.font = font,
                                          .size = {301, 121},
                                          .position = {11, -21},
                                          .alphaBlend = true,
                                          .alphaBlendValue = 200,
                                          .backColor = 0x00030405,
                                          .backTransparent = true,
                                          .formPos = 1,
                                          .fadeInOut = true,
                                          .formFix = false,
                                          .fitBottom = true,
                                          .fitRight = false,
                                          .changeWidth = false,
                                          .alignment = 2,
                                          .shadowColor = 0x00060708,
                                          .shadowLeft = -3,
                                          .shadowTop = 4,
                                          .shadowHighLight = false}));
    DisplaySettings readDisplay;
    ReadDisplaySettings(kPath, readDisplay);
    EXPECT_EQ(readDisplay, display);
}

TEST_F(VeskSettingsTest, ExtensionKeysAppearOnlyOnceSet) {
    const std::string before = "[MainForm]\r\nLyricShow=1\r\n";
    SetFile(before);
    EXPECT_EQ(ReadExtensionSettings(kPath), ExtensionSettings{});
    WriteExtensionSettings(kPath, {});
    EXPECT_EQ(File(), before) << "nothing added while empty";

    const ExtensionSettings set{Ansi("C:\\歌詞\\"), "C:\\Stream\\lyrics.txt"};
    WriteExtensionSettings(kPath, set);
    EXPECT_EQ(File(), before + Ansi("[Extension]\r\nLyricsFolder=C:\\歌詞\\\r\n") +
                          "OverlayTextFile=C:\\Stream\\lyrics.txt\r\n");
    EXPECT_EQ(ReadExtensionSettings(kPath), set);
    const MainFormSettings main = ReadMainFormSettings(kPath);
    EXPECT_EQ(main.lyricsFolder, set.lyricsFolder);
    EXPECT_EQ(main.overlayTextFile, set.overlayTextFile);

    // Turned off again: the keys stay, empty.
    WriteExtensionSettings(kPath, {"", set.overlayTextFile});
    EXPECT_EQ(File(), before + "[Extension]\r\nLyricsFolder=\r\n" +
                          "OverlayTextFile=C:\\Stream\\lyrics.txt\r\n");
    EXPECT_EQ(ReadExtensionSettings(kPath), (ExtensionSettings{"", set.overlayTextFile}));
}

TEST_F(VeskSettingsTest, OnlineLyricsKeysAppearOnlyOnceTheyDifferFromTheFile) {
    const std::string before = "[Extension]\r\nLyricsFolder=C:\\L\\\r\n";
    SetFile(before);
    ExtensionSettings settings = ReadExtensionSettings(kPath);
    EXPECT_FALSE(settings.onlineLyrics);
    EXPECT_EQ(settings.onlineLyricsUrl, "https://lrclib.net");
    WriteExtensionSettings(kPath, settings);
    EXPECT_EQ(File(), before) << "the defaults are not written";

    settings.onlineLyrics = true;
    WriteExtensionSettings(kPath, settings);
    EXPECT_EQ(File(), before + "OnlineLyrics=1\r\n");
    settings.onlineLyricsUrl = "http://127.0.0.1:8080";
    WriteExtensionSettings(kPath, settings);
    EXPECT_EQ(File(), before + "OnlineLyrics=1\r\nOnlineLyricsUrl=http://127.0.0.1:8080\r\n");
    EXPECT_EQ(ReadMainFormSettings(kPath).onlineLyricsUrl, settings.onlineLyricsUrl);

    // Back to the defaults, which the file no longer holds.
    WriteExtensionSettings(kPath, {settings.lyricsFolder, ""});
    EXPECT_EQ(File(), before + "OnlineLyrics=0\r\nOnlineLyricsUrl=https://lrclib.net\r\n");
}

TEST_F(VeskSettingsTest, SyncKeysAreWrittenOnceTheyDifferAndABadColourIsNoError) {
    const std::string before = "[MainForm]\r\nLyricShow=1\r\n";
    SetFile(before);
    ExtensionSettings sync = ReadExtensionSettings(kPath);
    EXPECT_FALSE(sync.syncLyrics);
    EXPECT_EQ(sync.syncLines, 5);
    WriteExtensionSettings(kPath, sync);
    EXPECT_EQ(File(), before) << "off by default, nothing added";

    sync.syncLyrics = true;
    sync.syncLines = 7;
    WriteExtensionSettings(kPath, sync);
    EXPECT_EQ(File(), before + "[Extension]\r\nSyncLyrics=1\r\nSyncLines=7\r\n");
    sync.syncColor = 0x000000FF;
    WriteExtensionSettings(kPath, sync);
    EXPECT_EQ(File(), before + "[Extension]\r\nSyncLyrics=1\r\nSyncLines=7\r\n" +
                          "SyncColor=0x000000FF\r\n");
    const MainFormSettings main = ReadMainFormSettings(kPath);
    EXPECT_TRUE(main.syncLyrics);
    EXPECT_EQ(main.syncLines, 7);
    EXPECT_EQ(main.syncColor, 0x000000FFu);

    // A colour that cannot be read keeps its default, stops nothing, and is written over.
    SetFile("[Extension]\r\nSyncColor=blue\r\nSyncLines=3\r\n");
    const ExtensionSettings read = ReadExtensionSettings(kPath);
    EXPECT_EQ(read.syncColor, ExtensionSettings{}.syncColor);
    EXPECT_EQ(read.syncLines, 3);
    EXPECT_EQ(ReadMainFormSettings(kPath).syncColor, MainFormSettings{}.syncColor);
    WriteExtensionSettings(kPath, read);
    EXPECT_EQ(File(), "[Extension]\r\nSyncColor=0x00CC6600\r\nSyncLines=3\r\n");
}

TEST_F(VeskSettingsTest, TheShadowColourStopsTheKeysAfterIt) {
    SetFile(
        "[LyricsForm]\r\nFitBottom=1\r\nAlignment=1\r\nShadowColor=grey\r\nShadowLeft=3\r\n"
        "ShadowTop=4\r\nShadowHighLight=1\r\n");
    LyricsWindowSettings window;
    window.shadowColor = 0x111;
    EXPECT_THROW(ReadLyricsWindowSettings(kPath, window), IniConvertError);
    LyricsWindowSettings windowExpected;
    windowExpected.fitBottom = true;
    windowExpected.alignment = 1;
    windowExpected.shadowColor = 0x111;
    EXPECT_EQ(window, windowExpected);

    DisplaySettings display;
    display.shadowColor = 0x111;
    EXPECT_THROW(ReadDisplaySettings(kPath, display), IniConvertError);
    DisplaySettings displayExpected;
    displayExpected.fitBottom = true;
    displayExpected.alignment = 1;
    displayExpected.shadowColor = 0x111;
    EXPECT_EQ(display, displayExpected);
}

TEST_F(VeskSettingsTest, ARefusedWriteStopsTheRoutineAtThatKey) {
    SetFile("[TitleGet]\r\nGetClassName=old\r\nTopCut=3\r\n");
    files_.writesLeft = 2;
    TitleGetSettings title;
    title.getClassName = "new";
    title.getTitle = "t";
    title.topCut = 5;
    EXPECT_THROW(WriteTitleGetSettings(kPath, title), IniWriteError);
    EXPECT_EQ(File(), "[TitleGet]\r\nGetClassName=new\r\nTopCut=3\r\nGetTitle=t\r\n");
    EXPECT_THROW(WriteLyricShow(kPath, true), IniWriteError);
    EXPECT_EQ(File(), "[TitleGet]\r\nGetClassName=new\r\nTopCut=3\r\nGetTitle=t\r\n");
}

// After a load that stopped early, the dialog's groups write only what differs from what it
// showed: the built-in values of keys never read stay out of the file.
TEST_F(VeskSettingsTest, APartLoadWritesOnlyTheValuesChangedSince) {
    SetFile("[TitleGet]\r\nTopCut=08\r\n[LyricsForm]\r\nBackColor=0xZZ\r\n");
    const TitleGetSettings shownTitle;  // built-in values: the group was never read
    TitleGetSettings title = shownTitle;
    title.getClassName = "Winamp";
    WriteTitleGetSettings(kPath, title, &shownTitle);
    DisplaySettings shownDisplay;
    shownDisplay.alphaBlendValue = 100;
    DisplaySettings display = shownDisplay;
    display.fitBottom = !display.fitBottom;
    WriteDisplaySettings(kPath, display, nullptr, kLyricsWindowKeyCount, &shownDisplay);
    const ExtensionSettings shownExtension;
    WriteExtensionSettings(kPath, {"C:\\L\\", ""}, &shownExtension);
    EXPECT_EQ(File(),
              "[TitleGet]\r\nTopCut=08\r\nGetClassName=Winamp\r\n[LyricsForm]\r\n"
              "BackColor=0xZZ\r\nFitBottom=1\r\n[Extension]\r\nLyricsFolder=C:\\L\\\r\n");
}

}  // namespace
}  // namespace vesk
