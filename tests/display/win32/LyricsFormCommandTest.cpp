// What the lyrics window does with dropped files, its pop-up menu, paste assignment and
// AssignLyricsFile, on hidden windows (FormPos 3).

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "LyricsFormTestKit.h"
#include "common/win32/WideText.h"
#include "display/win32/LyricsFormRes.h"

namespace vesk {
namespace {

using test::Ansi;
using test::LyricsRig;
using test::PutTextOnClipboard;

constexpr char kHidden[] = "FormPos=3\r\n";

// An HDROP as Explorer makes it: DROPFILES, then the paths in UTF-16, each ended by a
// NUL, and one more NUL.
HDROP MakeDrop(const std::vector<std::string>& paths) {
    std::wstring list;
    for (const std::string& path : paths) {
        list += Widen(path);
        list += L'\0';
    }
    list += L'\0';
    const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(),
                list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void Drop(HWND window, const std::vector<std::string>& paths) {
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
}

// The lyrics list file as the lyrics list reads it back.
struct SavedEntry {
    std::string title;
    std::string fileName;
};
std::vector<SavedEntry> SavedList(const LyricsRig& rig) {
    const TLyricsList saved(rig.ListPath());
    std::vector<SavedEntry> entries;
    for (std::int32_t i = 0; i < saved.Count(); ++i) {
        entries.push_back({saved.Titles()[i], saved.FileNames()[i]});
        EXPECT_EQ(saved.StartLines()[i], 0);
        EXPECT_EQ(saved.EndLines()[i], 0);
    }
    return entries;
}

class Commands : public testing::Test {
protected:
    void SetUp() override {
        rig.WriteSettings(kHidden);
        rig.main.TakeSongTitle(title);
        window = &rig.Open();
    }
    void Command(UINT item) { SendMessageA(window->Handle(), WM_COMMAND, item, 0); }

    LyricsRig rig;
    const std::string title = Ansi("夏の雨");
    TfrmLyrics* window = nullptr;
};

TEST_F(Commands, AssignLyricsFileAddsThenUpdatesAndSaves) {
    const std::string first = rig.WriteFile("first.txt", Ansi("一番\r\n"));
    const std::string second = rig.WriteFile("second.txt", Ansi("二番\r\n"));
    rig.sink.AssignLyricsFile(first);
    const TLyricsList& list = *rig.main.LyricsList();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Titles()[0], title);
    EXPECT_EQ(list.FileNames()[0], first);
    EXPECT_EQ(window->slbLyrics.Caption(), Ansi("一番"));
    ASSERT_EQ(SavedList(rig).size(), 1u);
    EXPECT_EQ(SavedList(rig)[0].fileName, first);

    rig.sink.AssignLyricsFile(second);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.FileNames()[0], second);
    EXPECT_EQ(window->slbLyrics.Caption(), Ansi("二番"));
    ASSERT_EQ(SavedList(rig).size(), 1u);
    EXPECT_EQ(SavedList(rig)[0].title, title);
    EXPECT_EQ(SavedList(rig)[0].fileName, second);

    // With the window closed the list still changes and is saved.
    rig.sink.CloseLyricsWindow();
    rig.main.TakeSongTitle("another");
    rig.sink.AssignLyricsFile(first);
    EXPECT_EQ(list.Count(), 2);
    ASSERT_EQ(SavedList(rig).size(), 2u);
    EXPECT_EQ(SavedList(rig)[1].title, "another");
}

// A list file that another program held when the list was loaded is never replaced by the
// entries made since: once it can be read, its entries are kept and the new ones added.
TEST_F(Commands, AssignLyricsFileKeepsAListFileThatCouldNotBeRead) {
    const std::string kept = Ansi(
        "\"古い歌\",\"C:\\歌詞\\古い歌.txt\",0,0\r\n"
        "\"別の歌\",\"C:\\歌詞\\別の歌.txt\",0,0\r\n");
    rig.WriteFile("Vesk.csv", kept);
    const std::string first = rig.WriteFile("first.txt", Ansi("一番\r\n"));
    const std::string second = rig.WriteFile("second.txt", Ansi("二番\r\n"));
    HANDLE held = CreateFileA(rig.ListPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    rig.main.LoadLyricsList(rig.ListPath());
    ASSERT_TRUE(rig.main.LyricsListUnread());

    rig.sink.AssignLyricsFile(first);
    EXPECT_EQ(window->slbLyrics.Caption(), Ansi("一番"));
    CloseHandle(held);
    EXPECT_EQ(CurrentFileSystem().ReadFile(rig.ListPath()), kept);

    rig.sink.AssignLyricsFile(title, second);
    EXPECT_EQ(window->slbLyrics.Caption(), Ansi("二番"));
    const std::vector<SavedEntry> saved = SavedList(rig);
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0].title, Ansi("古い歌"));
    EXPECT_EQ(saved[1].title, Ansi("別の歌"));
    EXPECT_EQ(saved[2].title, title);
    EXPECT_EQ(saved[2].fileName, second);
    EXPECT_FALSE(rig.main.LyricsListUnread());
}

TEST_F(Commands, DropTakesTheFirstOfSeveralFiles) {
    const std::string first = rig.WriteFile(Ansi("夏の雨.txt"), Ansi("雨の歌\r\n"));
    const std::string second = rig.WriteFile("other.txt", "other\r\n");
    Drop(window->Handle(), {first, second});
    const TLyricsList& list = *rig.main.LyricsList();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.FileNames()[0], first);
    EXPECT_EQ(window->slbLyrics.Caption(), Ansi("雨の歌"));
    ASSERT_EQ(SavedList(rig).size(), 1u);
    EXPECT_EQ(SavedList(rig)[0].fileName, first);
}

TEST_F(Commands, DroppedFolderIsIgnored) {
    const std::string folder = rig.folder / "lyrics";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    Drop(window->Handle(), {folder, rig.WriteFile("a.txt", "a\r\n")});
    EXPECT_EQ(rig.main.LyricsList()->Count(), 0);
    EXPECT_EQ(CurrentFileSystem().KindOf(rig.ListPath()), FileSystem::Kind::Missing);
}

TEST_F(Commands, DroppedPathIsTakenWholeHoweverLong) {
    const std::string path =
        rig.folder / (std::string(150, 'd') + "\\" + std::string(150, 'f') + ".txt");
    ASSERT_GT(path.size(), 300u);
    Drop(window->Handle(), {path});
    ASSERT_EQ(rig.main.LyricsList()->Count(), 1);
    EXPECT_EQ(rig.main.LyricsList()->FileNames()[0], path);
}

TEST_F(Commands, PasteItemShowsOnlyWithAPasteFolder) {
    const HMENU menu = window->pupMain();
    test::ChangeSettings(rig.main, [](MainFormSettings& s) { s.pasteSavePath.clear(); });
    window->pupMainPopup();
    EXPECT_EQ(GetMenuState(menu, IDM_LYRICS_PASTESAVE, MF_BYCOMMAND), UINT(-1));
    EXPECT_EQ(GetMenuItemCount(menu), 12);
    test::ChangeSettings(rig.main,
                         [&](MainFormSettings& s) { s.pasteSavePath = rig.folder.Path(); });
    window->pupMainPopup();
    window->pupMainPopup();
    ASSERT_EQ(GetMenuItemCount(menu), 13);
    EXPECT_EQ(GetMenuItemID(menu, 4), static_cast<UINT>(IDM_LYRICS_PASTESAVE));
    char text[64] = {};
    GetMenuStringA(menu, 4, text, sizeof(text), MF_BYPOSITION);
    EXPECT_EQ(text, Ansi("貼り付け割り当て(&A)"));
}

TEST_F(Commands, ReloadReadsTheLyricsFileAgain) {
    const std::string path = rig.WriteFile("song.txt", "old\r\n");
    rig.sink.AssignLyricsFile(path);
    EXPECT_EQ(window->slbLyrics.Caption(), "old");
    rig.WriteFile("song.txt", "new\r\n");
    Command(IDM_LYRICS_RELOAD);
    EXPECT_EQ(window->slbLyrics.Caption(), "new");
}

TEST_F(Commands, FixSettingsAndClose) {
    int settingsOpened = 0;
    rig.sink.OnOpenSettings = [&] { ++settingsOpened; };
    Command(IDM_LYRICS_SETTING);
    EXPECT_EQ(settingsOpened, 1);

    EXPECT_FALSE(window->PositionFixed());
    Command(IDM_LYRICS_FIX);
    EXPECT_TRUE(window->PositionFixed());
    Command(IDM_LYRICS_FIX);
    EXPECT_FALSE(window->PositionFixed());

    Command(IDM_LYRICS_BOTTOM);
    EXPECT_EQ(window->FormPos(), 2);
    const HWND hwnd = window->Handle();
    Command(IDM_LYRICS_CLOSE);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(rig.sink.LyricsWindowExists());
    EXPECT_EQ(rig.IniValue("FormPos"), "2");
}

struct NotepadSearch {
    std::string name;
    HWND found = nullptr;
};

BOOL CALLBACK VisitForNotepad(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<NotepadSearch*>(param);
    char className[64] = {};
    char caption[512] = {};
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, caption, sizeof(caption));
    if (lstrcmpiA(className, "Notepad") == 0 &&
        std::string(caption).find(s->name) != std::string::npos) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindNotepadWith(const std::string& name) {
    NotepadSearch search{name};
    EnumWindows(VisitForNotepad, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(Commands, OpenTextOpensAnExistingLyricsFileOnly) {
    // Text files open in Notepad, as on Windows (Wine's own prefix lacks the association).
    ASSERT_EQ(
        RegSetKeyValueA(HKEY_CLASSES_ROOT, ".txt", nullptr, REG_SZ, "txtfile", sizeof("txtfile")),
        ERROR_SUCCESS);
    // No lyrics file for the title, and one that does not exist: nothing happens.
    Command(IDM_LYRICS_OPENTEXT);
    rig.main.AssignLyrics({title, rig.folder / "missing-lyrics.txt", 0, 0});
    Command(IDM_LYRICS_OPENTEXT);
    test::PumpMessages(500);
    EXPECT_EQ(FindNotepadWith("missing-lyrics"), nullptr);

    const std::string path = rig.WriteFile("open-lyrics.txt", "words\r\n");
    rig.main.AssignLyrics({title, path, 0, 0});
    Command(IDM_LYRICS_OPENTEXT);
    HWND notepad = nullptr;
    for (int i = 0; i < 100 && notepad == nullptr; ++i) {
        test::PumpMessages(100);
        notepad = FindNotepadWith("open-lyrics");
    }
    ASSERT_NE(notepad, nullptr);
    PostMessageA(notepad, WM_CLOSE, 0, 0);
}

class PasteCommand : public Commands {
protected:
    void SetUp() override {
        Commands::SetUp();
        ASSERT_TRUE(CreateDirectoryA((rig.folder / "paste").c_str(), nullptr));
        test::ChangeSettings(
            rig.main, [&](MainFormSettings& s) { s.pasteSavePath = rig.folder / "paste\\"; });
        ASSERT_TRUE(PutTextOnClipboard(Ansi("一行目\n二行目")));
    }
    std::string PastePath(const std::string& songTitle) const {
        return rig.main.Settings().pasteSavePath + songTitle + ".txt";
    }

    const std::string caption = Ansi("貼り付け割り当て");
};

TEST_F(PasteCommand, SavesTheClipboardAndAssignsTheFile) {
    auto box = test::AnswerBox(caption, IDOK);
    Command(IDM_LYRICS_PASTESAVE);
    EXPECT_TRUE(box.get().found);
    EXPECT_EQ(CurrentFileSystem().ReadFile(PastePath(title)), Ansi("一行目\r\n二行目\r\n"));
    ASSERT_EQ(rig.main.LyricsList()->Count(), 1);
    EXPECT_EQ(rig.main.LyricsList()->FileNames()[0], PastePath(title));
    EXPECT_EQ(window->slbLyrics.Caption(), Ansi("一行目\r\n二行目"));
    EXPECT_EQ(SavedList(rig).size(), 1u);
}

TEST_F(PasteCommand, CancelChangesNothing) {
    auto box = test::AnswerBox(caption, IDCANCEL);
    Command(IDM_LYRICS_PASTESAVE);
    EXPECT_TRUE(box.get().found);
    EXPECT_EQ(rig.main.LyricsList()->Count(), 0);
    EXPECT_EQ(CurrentFileSystem().KindOf(rig.ListPath()), FileSystem::Kind::Missing);
}

// Paste assignment that counts its calls and saves nothing.
class CountingPaste final : public TPasteSave {
public:
    CountingPaste() : TPasteSave(PasteSave()) {}
    bool Execute(const std::string&, const std::string&) const override {
        ++calls;
        return false;
    }
    mutable int calls = 0;
};

TEST(LyricsWindowWithoutPlayer, NeitherPasteNorDropAssignsLyrics) {
    const CountingPaste paste;
    LyricsRig rig(paste);
    rig.WriteSettings(kHidden);
    rig.main.TakeSongTitle("PlayerNotFound");
    test::ChangeSettings(rig.main,
                         [&](MainFormSettings& s) { s.pasteSavePath = rig.folder.Path(); });
    TfrmLyrics& window = rig.Open();
    SendMessageA(window.Handle(), WM_COMMAND, IDM_LYRICS_PASTESAVE, 0);
    EXPECT_EQ(paste.calls, 0);
    rig.sink.AssignLyricsFile(rig.WriteFile("dropped.txt", "words"));
    EXPECT_EQ(rig.main.LyricsList()->Count(), 0);
    EXPECT_EQ(CurrentFileSystem().KindOf(rig.ListPath()), FileSystem::Kind::Missing);
}

test::TestMainForm* g_songChanger = nullptr;
void CALLBACK SongChanges(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_songChanger->TakeSongTitle(Ansi("別の歌"));
}

// The title-check timer keeps running while the confirmation box is open.
TEST_F(PasteCommand, SongThatChangesDuringTheBoxGetsNoFileOfTheOther) {
    g_songChanger = &rig.main;
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, SongChanges);
    auto box = test::AnswerBox(caption, IDOK, 300);
    Command(IDM_LYRICS_PASTESAVE);
    EXPECT_TRUE(box.get().found);
    g_songChanger = nullptr;
    ASSERT_EQ(rig.main.SongTitle(), Ansi("別の歌"));
    const TLyricsList& list = *rig.main.LyricsList();
    EXPECT_EQ(list.IndexOf(Ansi("別の歌")), -1);
    ASSERT_EQ(list.IndexOf(title), 0);
    EXPECT_EQ(list.FileNames()[0], PastePath(title));
    EXPECT_EQ(CurrentFileSystem().KindOf(PastePath(title)), FileSystem::Kind::File);
}

}  // namespace
}  // namespace vesk
