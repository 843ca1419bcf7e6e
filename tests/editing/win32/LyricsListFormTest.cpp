// The lyrics list editor shown for real, with a stand-in for the program and for the
// assignment dialog: what it shows, the user's commands through buttons, keys, header
// clicks, drops and the file dialogs, and one case of each rule (the rules' tables are in
// tests/editing). Argument 1: a folder tree with a link back up into itself.

#include "editing/win32/untLyricsListForm.h"

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "DesktopKit.h"
#include "ScreenCapture.h"
#include "TestArguments.h"
#include "TestFolder.h"
#include "TestText.h"
#include "common/FileSystem.h"
#include "lyrics/win32/Win32ListViewRows.h"

namespace vesk {
namespace {

using test::Ansi;

class FakeFileSelect final : public FileSelectDialog {
public:
    std::vector<LyricsEntryFields> given;
    std::deque<std::optional<LyricsEntryFields>> answers;
    std::function<void()> whileShown;

    bool Showing() const override { return false; }
    std::optional<LyricsEntryFields> Edit(const LyricsEntryFields& entry) override {
        given.push_back(entry);
        if (whileShown) {
            whileShown();
        }
        const std::optional<LyricsEntryFields> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Close() override {}
};

class FakeOwner final : public LyricsListOwner {
public:
    FakeFileSelect dialog;
    std::vector<std::vector<ListViewRow>> stored;

    bool StoreRows(const ListViewRows& rows) override {
        stored.emplace_back();
        for (std::size_t i = 0; i < rows.RowCount(); ++i) {
            stored.back().push_back(rows.Row(i));
        }
        return true;
    }
    FileSelectDialog* FileSelect() const override { return const_cast<FakeFileSelect*>(&dialog); }
};

// Files dropped from the shell, as the shell hands them over.
HDROP Drop(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths) {
        list += path + '\0';
    }
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() + 1);
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    std::memcpy(files + 1, list.c_str(), list.size() + 1);
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// Types path into the file dialog that the window opens, and confirms it.
std::future<bool> AnswerFileDialog(HWND owner, std::string path) {
    return std::async(std::launch::async, [owner, path] {
        for (int i = 0; i < 200; ++i) {
            for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w != nullptr;
                 w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
                if (GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w)) {
                    const int box = GetDlgItem(w, cmb13) != nullptr ? cmb13 : edt1;
                    SendMessageA(GetDlgItem(w, box), WM_SETTEXT, 0,
                                 reinterpret_cast<LPARAM>(path.c_str()));
                    PostMessageA(w, WM_COMMAND, IDOK, 0);
                    return true;
                }
            }
            Sleep(50);
        }
        return false;
    });
}

std::vector<std::uint8_t> PixelsOf(HBITMAP image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = 16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint8_t> pixels(16 * 16 * 4);
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, image, 0, 16, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::string Caption(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

class LyricsListForm : public testing::Test {
protected:
    void SetUp() override {
        editor = std::make_unique<TfrmLyricsList>(owner);
        ASSERT_TRUE(editor->Create(nullptr));
        editor->SetDestroyedHandler([this] { destroyed = true; });
        editor->Show();
    }
    void TearDown() override {
        if (!destroyed) {
            editor->Close();
        }
    }
    void Fill(const std::vector<LyricsEntryFields>& entries) {
        TLyricsList list;
        for (const LyricsEntryFields& e : entries) {
            list.Add(e.title, e.fileName, e.startLine, e.endLine);
        }
        editor->AddToListView(list);
    }
    // The rows as the list view shows them.
    std::vector<std::string> Shown(int column) const {
        const Win32ListViewRows view(editor->Item(IDC_LL_LIST));
        std::vector<std::string> cells;
        for (std::size_t i = 0; i < view.RowCount(); ++i) {
            const ListViewRow row = view.Row(i);
            cells.push_back(column == kTitleColumn  ? row.title
                            : column == kFileColumn ? row.fileName
                                                    : row.startLine);
        }
        return cells;
    }
    void Click(int id) { SendMessageA(editor->Item(id), BM_CLICK, 0, 0); }
    HWND Form() const { return editor->Handle(); }

    FakeOwner owner;
    std::unique_ptr<TfrmLyricsList> editor;
    bool destroyed = false;
};

TEST_F(LyricsListForm, ShowsTheRowsWithItsColumnsImageButtonsAndMenu) {
    Fill({{Ansi("夏の雨"), Ansi("C:\\歌詞\\夏の雨.txt"), 2, 4},
          {Ansi("星に願いを"), Ansi("C:\\歌詞\\星.txt"), 0, 0}});
    EXPECT_EQ(Caption(Form()), Ansi("歌詞リスト"));
    EXPECT_TRUE(GetWindowLongA(Form(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    const HWND list = editor->Item(IDC_LL_LIST);
    const auto style = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE));
    EXPECT_EQ(
        style & (LVS_TYPEMASK | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SINGLESEL),
        static_cast<DWORD>(LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS));
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) &
                  (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const char* headers[] = {"タイトル", "歌詞ファイル", "開始行", "終了行"};
    const int widths[] = {100, 250, 50, 50};  // the line columns: a list column's default
    for (int i = 0; i < kLyricsColumnCount; ++i) {
        char text[64] = {};
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = sizeof(text);
        SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        EXPECT_EQ(std::string(text), Ansi(headers[i]));
        EXPECT_EQ(column.cx, widths[i]);
    }
    EXPECT_EQ(Shown(kTitleColumn), (std::vector<std::string>{Ansi("夏の雨"), Ansi("星に願いを")}));
    EXPECT_EQ(Shown(kStartLineColumn), (std::vector<std::string>{"2", "0"}));

    // Six image buttons side by side at the bottom left, each with its own picture and tip.
    HWND tips = nullptr;  // the form's own, not the list view's
    for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w != nullptr;
         w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) {
        if (SendMessageA(w, TTM_GETTOOLCOUNT, 0, 0) == 6) {
            tips = w;
        }
    }
    const char* tipTexts[] = {"新規",
                              "編集",
                              "削除",
                              "重複タイトル削除(時間かかるかも)",
                              "ファイルが存在しない項目を削除",
                              "全削除"};
    RECT client{};
    GetClientRect(Form(), &client);
    std::vector<std::vector<std::uint8_t>> pictures;
    for (int i = 0; i < 6; ++i) {
        const HWND button = editor->Item(IDC_LL_NEW + i);
        RECT r{};
        GetWindowRect(button, &r);
        MapWindowPoints(nullptr, Form(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.right - r.left, 24);
        EXPECT_EQ(r.bottom - r.top, 24);
        EXPECT_EQ(r.left, 4 + i * 25);
        const auto image =
            reinterpret_cast<HBITMAP>(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(image, nullptr);
        pictures.push_back(PixelsOf(image));
        char tip[128] = {};
        TTTOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = Form();
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = tip;
        SendMessageA(tips, TTM_GETTEXTA, sizeof(tip), reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(std::string(tip), Ansi(tipTexts[i]));
    }
    for (std::size_t i = 1; i < pictures.size(); ++i) {
        EXPECT_NE(pictures[i], pictures[i - 1]) << i;
    }
    EXPECT_EQ(LOWORD(SendMessageA(Form(), DM_GETDEFID, 0, 0)), IDOK);
    EXPECT_EQ(editor->ItemText(IDCANCEL), Ansi("キャンセル"));

    const HMENU file = GetSubMenu(GetMenu(Form()), 0);
    char caption[64] = {};
    GetMenuStringA(GetMenu(Form()), 0, caption, sizeof(caption), MF_BYPOSITION);
    EXPECT_EQ(std::string(caption), Ansi("ファイル(&F)"));
    const char* items[] = {"ファイルから追加(&I)...", "ファイルへ保存(&E)...", "",
                           "保存せずに閉じる(&X)"};
    ASSERT_EQ(GetMenuItemCount(file), 4);
    for (int i = 0; i < 4; ++i) {
        GetMenuStringA(file, i, caption, sizeof(caption), MF_BYPOSITION);
        EXPECT_EQ(std::string(caption), Ansi(items[i])) << i;
    }

    // The list grows with the window; the buttons keep to their corners; not below 150 wide.
    RECT before{};
    GetWindowRect(list, &before);
    RECT window{};
    GetWindowRect(Form(), &window);
    SetWindowPos(Form(), nullptr, 0, 0, window.right - window.left + 100,
                 window.bottom - window.top + 50, SWP_NOMOVE | SWP_NOZORDER);
    RECT after{};
    GetWindowRect(list, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 100);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 50);
    MINMAXINFO limits{};
    SendMessageA(Form(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 150);

    // The picture to look at: Japanese rows, the red cross of the delete button.
    test::Pump(300);
    GetWindowRect(Form(), &window);
    const test::ScreenPicture picture = test::CaptureScreen(window);
    test::SavePng(picture, "lyrics_list_editor.png");
    RECT cross{};
    GetWindowRect(editor->Item(IDC_LL_DELETE), &cross);
    EXPECT_EQ(picture.At((cross.left + cross.right) / 2 - window.left,
                         (cross.top + cross.bottom) / 2 - window.top),
              RGB(208, 0, 0));
}

// Records the captions the window shows while a command works.
std::vector<std::string>* g_captions = nullptr;
LRESULT CALLBACK RecordCaption(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_SETTEXT && g_captions != nullptr &&
        (GetWindowLongA(message->hwnd, GWL_STYLE) & WS_CHILD) == 0) {
        g_captions->push_back(reinterpret_cast<const char*>(message->lParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(LyricsListForm, SortsDeletesAndCleansAsTheUserAsks) {
    test::TestFolder folder;
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(folder / "here.txt", "x"));
    Fill({{"b", folder / "here.txt", 10, 0},
          {"rain", folder / "gone.txt", 9, 0},
          {"RAIN", folder.Path(), 100, 0},
          {"rain", folder / "here.txt", 9, 0},
          {"a", folder / "here.txt", 1, 0}});
    // A click on the start line header: 9, 9, 10, 100 (rows of 9 in their order), 1 first.
    const HWND header =
        reinterpret_cast<HWND>(SendMessageA(editor->Item(IDC_LL_LIST), LVM_GETHEADER, 0, 0));
    RECT column{};
    SendMessageA(header, HDM_GETITEMRECT, kStartLineColumn, reinterpret_cast<LPARAM>(&column));
    const LPARAM at =
        MAKELPARAM((column.left + column.right) / 2, (column.top + column.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Shown(kStartLineColumn), (std::vector<std::string>{"1", "9", "9", "10", "100"}));
    EXPECT_EQ(Shown(kFileColumn)[1], folder / "gone.txt");
    EXPECT_EQ(editor->SortState(), (SortFlags{false, false, true, false}));

    // Repeated titles, case-sensitive: the second "rain" goes, "RAIN" stays.
    std::vector<std::string> captions;
    g_captions = &captions;
    const HHOOK hook =
        SetWindowsHookExA(WH_CALLWNDPROC, RecordCaption, nullptr, GetCurrentThreadId());
    Click(IDC_LL_REPEAT_TITLE_DELETE);
    EXPECT_EQ(Shown(kTitleColumn), (std::vector<std::string>{"a", "rain", "b", "RAIN"}));
    Click(IDC_LL_FILE_NOT_EXISTS_DELETE);  // a missing file and a folder
    EXPECT_EQ(Shown(kTitleColumn), (std::vector<std::string>{"a", "b"}));
    UnhookWindowsHookEx(hook);
    g_captions = nullptr;
    EXPECT_EQ(captions, (std::vector<std::string>{
                            Ansi("重複タイトル削除実行中..."), Ansi("歌詞リスト"),
                            Ansi("ファイルが存在しない項目を削除中..."), Ansi("歌詞リスト")}));

    // Five rows, the last two selected, the Delete key: the new last row is selected.
    Fill({{"c", "", 0, 0}, {"d", "", 0, 0}, {"e", "", 0, 0}});
    editor->SelectRows({3, 4});
    SendMessageA(editor->Item(IDC_LL_LIST), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Shown(kTitleColumn), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(editor->SelectedRows(), std::vector<std::size_t>{2});

    Click(IDC_LL_ALL_DELETE);
    EXPECT_TRUE(Shown(kTitleColumn).empty());
    EXPECT_TRUE(owner.stored.empty());
    Click(IDCANCEL);
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(owner.stored.empty());
}

TEST_F(LyricsListForm, NewAndEditGoThroughTheAssignmentDialogAndOkStoresTheRows) {
    Fill({{"Intro", "i.txt", 0, 0}, {"Rain", "r.txt", 1, 2}, {"Snow", "s.txt", 0, 0}});
    bool enabledWhileShown = true;
    owner.dialog.whileShown = [&] { enabledWhileShown = IsWindowEnabled(Form()) != FALSE; };
    owner.dialog.answers = {LyricsEntryFields{Ansi("新曲"), "n.txt", 2, 3}, std::nullopt,
                            LyricsEntryFields{"Rain!", "r2.txt", -1, 5}};
    Click(IDC_LL_NEW);
    editor->SelectRows({1, 2});
    Click(IDC_LL_EDIT);  // cancelled
    // A double click on a row edits the topmost selected row: the one clicked.
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageA(editor->Item(IDC_LL_LIST), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 10, (row.top + row.bottom) / 2);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        SendMessageA(editor->Item(IDC_LL_LIST), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     at);
    }
    EXPECT_FALSE(enabledWhileShown);
    EXPECT_TRUE(IsWindowEnabled(Form()));
    EXPECT_EQ(owner.dialog.given, (std::vector<LyricsEntryFields>{
                                      {}, {"Rain", "r.txt", 1, 2}, {"Rain", "r.txt", 1, 2}}));
    Click(IDOK);
    ASSERT_EQ(owner.stored.size(), 1u);
    EXPECT_EQ(owner.stored[0], (std::vector<ListViewRow>{{"Intro", "i.txt", "0", "0"},
                                                         {"Rain!", "r2.txt", "-1", "5"},
                                                         {"Snow", "s.txt", "0", "0"},
                                                         {Ansi("新曲"), "n.txt", "2", "3"}}));
    EXPECT_TRUE(destroyed);
}

TEST_F(LyricsListForm, ClosedWhileTheAssignmentDialogIsOpenItClosesWhenTheDialogEnds) {
    owner.dialog.answers = {LyricsEntryFields{"New", "n.txt", 0, 0}};
    owner.dialog.whileShown = [&] {
        editor->Close();
        EXPECT_FALSE(destroyed);
    };
    Click(IDC_LL_NEW);
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(owner.stored.empty());
}

TEST_F(LyricsListForm, TakesDroppedFilesAndFoldersAndImportsAndExportsListFiles) {
    test::TestFolder folder;
    CreateDirectoryA((folder / "album").c_str(), nullptr);
    CreateDirectoryA((folder / "album\\disc").c_str(), nullptr);
    for (const char* name : {"album\\disc\\Song.TXT", "album\\disc\\cover.jpg", ".txt"}) {
        ASSERT_TRUE(CurrentFileSystem().ReplaceFile(folder / name, "x"));
    }
    // A path longer than 254 characters is taken whole.
    const std::string longPath = folder / (std::string(300, 'L') + ".txt");
    SendMessageA(Form(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(
                     Drop({folder / "album", folder / ".txt", folder / "album\\disc\\cover.jpg",
                           longPath, test::Arguments().at(1)})),
                 0);
    EXPECT_EQ(Shown(kTitleColumn),
              (std::vector<std::string>{"Song", "", std::string(300, 'L'), "a"}));
    EXPECT_EQ(Shown(kFileColumn)[0], folder / "album\\disc\\Song.TXT");
    EXPECT_EQ(Shown(kFileColumn)[2], longPath);

    // Exported over an older file, then imported after the rows already there.
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(folder / "list.csv", "old"));
    auto answer = AnswerFileDialog(Form(), folder / "list.csv");
    SendMessageA(Form(), WM_COMMAND, IDM_LL_EXCLUDE, 0);
    EXPECT_TRUE(answer.get());
    auto line = [](const std::string& title, const std::string& path) {
        return "\"" + title + "\",\"" + path + "\",0,0\r\n";
    };
    EXPECT_EQ(CurrentFileSystem().ReadFile(folder / "list.csv"),
              line("Song", folder / "album\\disc\\Song.TXT") + line("", folder / ".txt") +
                  line(std::string(300, 'L'), longPath) +
                  line("a", test::Arguments().at(1) + "\\sub\\a.TXT"));
    answer = AnswerFileDialog(Form(), folder / "list.csv");
    SendMessageA(Form(), WM_COMMAND, IDM_LL_INCLUDE, 0);
    EXPECT_TRUE(answer.get());
    const std::vector<std::string> titles = Shown(kTitleColumn);
    ASSERT_EQ(titles.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(titles.begin() + 4, titles.end()),
              std::vector<std::string>(titles.begin(), titles.begin() + 4));
    SendMessageA(Form(), WM_COMMAND, IDM_LL_CLOSE, 0);
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(owner.stored.empty());
}

}  // namespace
}  // namespace vesk
