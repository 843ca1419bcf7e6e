// The lyrics list on the real system: a report-style list view control, CompareStringA,
// device paths and a locked list file. (The portable tests read and write real files with
// Shift_JIS names under Wine as well.)

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../LyricsTestSupport.h"
#include "TestFolder.h"
#include "TestText.h"
#include "common/FileSystem.h"
#include "common/win32/WinHandles.h"
#include "lyrics/untTLyricsList.h"
#include "lyrics/win32/Win32ListViewRows.h"

namespace vesk {
namespace {

using test::Ansi;
using test::EntriesOf;
using test::Entry;

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};
using OwnedWindow = UniqueHandle<WindowTraits>;

// A top-level window holding a list view laid out as the editor's.
class ListViewWindow {
public:
    ListViewWindow() {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
        frame_.Reset(CreateWindowExA(0, "STATIC", "lyrics list", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     0, 0, 640, 400, nullptr, nullptr, nullptr, nullptr));
        listView_ = CreateWindowExA(0, WC_LISTVIEWA, "",
                                    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0,
                                    620, 360, frame_.Get(), nullptr, nullptr, nullptr);
        const char* headers[] = {"Title", "File", "Start", "End"};
        for (int i = 0; i < 4; ++i) {
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 120;
            column.pszText = const_cast<char*>(headers[i]);
            SendMessageA(listView_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        }
    }

    HWND ListView() const { return listView_; }

    int Count() const { return static_cast<int>(SendMessageA(listView_, LVM_GETITEMCOUNT, 0, 0)); }

    // Straight from the control, with a buffer far larger than any text of the test.
    std::string Text(int item, int subItem) const {
        std::vector<char> buffer(8192);
        LVITEMA lvi{};
        lvi.iSubItem = subItem;
        lvi.pszText = buffer.data();
        lvi.cchTextMax = static_cast<int>(buffer.size());
        SendMessageA(listView_, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lvi));
        return lvi.pszText;
    }

    void Insert(const std::vector<std::string>& texts) {
        LVITEMA lvi{};
        lvi.mask = LVIF_TEXT;
        lvi.iItem = Count();
        lvi.pszText = const_cast<char*>(texts[0].c_str());
        const auto item = static_cast<int>(
            SendMessageA(listView_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvi)));
        for (int sub = 1; sub < 4; ++sub) {
            LVITEMA cell{};
            cell.iSubItem = sub;
            cell.pszText = const_cast<char*>(texts[static_cast<std::size_t>(sub)].c_str());
            SendMessageA(listView_, LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
        }
    }

private:
    OwnedWindow frame_;
    HWND listView_ = nullptr;
};

TEST(ListViewWin32, AddAndLoadThroughTheControl) {
    ListViewWindow window;
    ASSERT_NE(window.ListView(), nullptr);
    window.Insert({"kept", "k.txt", "1", "2"});

    const std::string longTitle = std::string(300, 'x') + Ansi("表");  // past a 260-byte buffer
    TLyricsList list;
    list.Add(Ansi("夏:\\の雨"), Ansi("C:\\歌詞\\表示ソ.txt"), 2, 10);
    list.Add(Ansi("ポップ | Band"), "", -3, 0);
    list.Add(longTitle, std::string(1000, 'p'), INT32_MIN, INT32_MAX);
    Win32ListViewRows rows(window.ListView());
    list.AddToListView(rows);

    ASSERT_EQ(window.Count(), 4);
    const std::vector<std::vector<std::string>> expected = {
        {"kept", "k.txt", "1", "2"},
        {Ansi("夏:\\の雨"), Ansi("C:\\歌詞\\表示ソ.txt"), "2", "10"},
        {Ansi("ポップ | Band"), "", "-3", "0"},
        {longTitle, std::string(1000, 'p'), "-2147483648", "2147483647"},
    };
    for (int item = 0; item < 4; ++item) {
        for (int sub = 0; sub < 4; ++sub) {
            EXPECT_EQ(window.Text(item, sub),
                      expected[static_cast<std::size_t>(item)][static_cast<std::size_t>(sub)])
                << item << "/" << sub;
        }
    }

    // Rows the editor made itself come back as entries too.
    window.Insert({Ansi("手入力"), "h.txt", "7", "8"});
    TLyricsList loaded;
    loaded.SetCaseSensitive(false);
    loaded.LoadFromListView(Win32ListViewRows(window.ListView()));
    EXPECT_TRUE(loaded.CaseSensitive());
    EXPECT_EQ(EntriesOf(loaded), (std::vector<Entry>{
                                     {"kept", "k.txt", 1, 2},
                                     {Ansi("夏:\\の雨"), Ansi("C:\\歌詞\\表示ソ.txt"), 2, 10},
                                     {Ansi("ポップ | Band"), "", -3, 0},
                                     {longTitle, std::string(1000, 'p'), INT32_MIN, INT32_MAX},
                                     {Ansi("手入力"), "h.txt", 7, 8},
                                 }));
}

TEST(LyricsListWin32, TitlesCompareAsCompareStringADoes) {
    TLyricsList list;
    for (const char* title : {"ＡＢＣ", "ΑΒΓ", "Summer Rain", "ナツ"}) {
        list.Add(Ansi(title), "x.txt", 0, 0);
    }
    const struct {
        const char* title;
        std::int32_t sensitive;
        std::int32_t insensitive;
    } rows[] = {
        {"ＡＢＣ", 0, 0},      {"ａｂｃ", -1, 0}, {"ABC", -1, -1},
        {"αβγ", -1, 1},        {"ΑΒΓ", 1, 1},     {"summer rain", -1, 2},
        {"Summer Rain", 2, 2}, {"ﾅﾂ", -1, -1},    {"なつ", -1, -1},
    };
    for (const auto& row : rows) {
        list.SetCaseSensitive(true);
        EXPECT_EQ(list.IndexOf(Ansi(row.title)), row.sensitive) << row.title;
        list.SetCaseSensitive(false);
        EXPECT_EQ(list.IndexOf(Ansi(row.title)), row.insensitive) << row.title;
    }
}

TEST(LyricsListWin32, DevicesAreNeverOpened) {
    // A pipe that nobody writes to: reading it would wait for ever.
    const std::string pipe = "\\\\.\\pipe\\vesk-lyrics-test";
    FileHandle server(
        CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr));
    ASSERT_TRUE(server);

    test::TestFolder folder;
    TLyricsList list;
    const std::string paths[] = {pipe,      "CON",          "NUL",        "COM1",
                                 "con.txt", folder / "AUX", folder.Path()};
    for (const std::string& path : paths) {
        list.Add(path, path, 0, 0);
    }
    for (const std::string& path : paths) {
        EXPECT_EQ(list.DisplayText(path), Ansi("■File Not Found：") + path);
    }
    for (const std::string& path : {pipe, std::string("CON")}) {
        TLyricsList fromDevice(path);
        EXPECT_EQ(fromDevice.Count(), 0) << path;
    }
}

TEST(LyricsListWin32, LockedListFileStaysWhole) {
    test::TestFolder folder;
    const std::string path = folder / Ansi("歌詞リスト.csv");
    TLyricsList list;
    list.Add(Ansi("夏の雨"), folder / Ansi("夏の雨.txt"), 0, 0);
    list.SaveToFile(path);
    const std::optional<std::string> saved = SystemFileSystem().ReadFile(path);
    ASSERT_TRUE(saved.has_value());

    list.Add("second", "s.txt", 1, 2);
    {
        // Another program holds the file open without sharing: it cannot be replaced.
        FileHandle lock(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        list.SaveToFile(path);
    }
    EXPECT_EQ(SystemFileSystem().ReadFile(path), saved);
    EXPECT_EQ(list.Count(), 2);

    // Nothing is left behind in the folder.
    WIN32_FIND_DATAA found{};
    int files = 0;
    FindHandle search(FindFirstFileA((folder.Path() + "*").c_str(), &found));
    ASSERT_TRUE(search);
    do {
        files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    } while (FindNextFileA(search.Get(), &found));
    EXPECT_EQ(files, 1);

    list.SaveToFile(path);
    EXPECT_EQ(EntriesOf(TLyricsList(path)), EntriesOf(list));
}

}  // namespace
}  // namespace vesk
