// The window class search dialog in the program made in this process, opened from the
// settings dialog: which of the test's own windows it lists, what OK and a double click
// take over into the settings dialog, and that it always closes.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DesktopKit.h"
#include "ScreenCapture.h"
#include "TestFolder.h"
#include "TestText.h"
#include "app/win32/InProcessVesk.h"
#include "app/win32/SettingFormSink.h"
#include "common/FileSystem.h"
#include "display/win32/LyricsFormTestKit.h"
#include "settings/win32/SettingFormRes.h"
#include "winsearch/win32/ClassSearchFormRes.h"

namespace vesk {
namespace {

using test::Ansi;
using Cells = std::vector<std::string>;  // class name, caption; none: no row

const std::string kLongClass = "VeskSearchLong" + std::string(106, 'L');  // 120 bytes
const std::string kPlayer = Ansi("夏の雨 - 青空");

// Off the screen: Wine never maps them, so hiding and destroying them costs nothing (about
// two seconds for each mapped window).
HWND MakeWindow(const std::string& className, const std::string& caption, bool visible = true,
                HWND owner = nullptr) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = className.c_str();
    RegisterClassA(&wc);
    return CreateWindowExA(owner != nullptr ? WS_EX_TOOLWINDOW : 0, className.c_str(),
                           caption.c_str(), visible ? WS_VISIBLE : 0, -20000, -20000, 100, 100,
                           owner, nullptr, nullptr, nullptr);
}
HWND g_shown, g_hidden, g_tool, g_quiet, g_long, g_twoLines;

HWND g_found = nullptr;
BOOL CALLBACK FindControl(HWND window, LPARAM id) {
    g_found = window;
    return GetDlgCtrlID(window) != static_cast<int>(id);
}

class ClassSearch : public testing::Test {
protected:
    static void SetUpTestSuite() {
        g_shown = MakeWindow("VeskSearchShown", kPlayer);
        g_hidden = MakeWindow("VeskSearchHidden", "Hidden", false);
        g_tool = MakeWindow("VeskSearchTool", "Tool", true, g_shown);
        g_quiet = MakeWindow("VeskSearchQuiet", "");
        g_long = MakeWindow(kLongClass, "Long");
        g_twoLines = MakeWindow("VeskSearchTwoLines", "One\r\nTwo");
    }
    static void TearDownTestSuite() {
        for (const HWND window : {g_shown, g_hidden, g_quiet, g_long, g_twoLines}) {
            DestroyWindow(window);  // g_tool with its owner
        }
    }

    ClassSearch() {
        EXPECT_TRUE(CurrentFileSystem().ReplaceFile(
            folder_ / "Vesk.ini",
            "[MainForm]\r\nLyricShow=0\r\n[TitleGet]\r\nGetClassName=VeskNoSuchPlayer\r\n"));
        EXPECT_TRUE(CurrentFileSystem().ReplaceFile(folder_ / "Vesk.csv", ""));
        EXPECT_TRUE(form.Create());
        form.mitSettingClick();
    }

    TSettingFormSink& Sink() const { return form.SettingForm(); }
    TfrmClassSearch* Search() const { return Sink().frmClassSearch(); }
    HWND SettingControl(int id) const {
        EnumChildWindows(Sink().frmSetting()->Handle(), FindControl, id);
        return g_found;
    }
    std::string SettingText(int id) const {
        char text[256] = {};
        GetWindowTextA(SettingControl(id), text, sizeof(text));
        return text;
    }
    // "クラス検索(&F)" pressed.
    TfrmClassSearch& OpenSearch() const {
        SendMessageA(SettingControl(IDC_BTN_SEARCHCLASS), BM_CLICK, 0, 0);
        EXPECT_NE(Search(), nullptr);
        return *Search();
    }

    static HWND List(const Dialog& search) { return search.Item(IDC_LVW_CLASSNAME); }
    // The row of a window, found by its handle written as "%d".
    static int RowOf(const Dialog& search, HWND window) {
        const std::string handle =
            std::to_string(static_cast<int>(reinterpret_cast<INT_PTR>(window)));
        LVFINDINFOA find{LVFI_STRING, handle.c_str(), 0, {}, 0};
        return static_cast<int>(SendMessageA(List(search), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(&find)));
    }
    static Cells Row(const Dialog& search, HWND window) {
        const int row = RowOf(search, window);
        Cells cells;
        for (int subItem = 1; row >= 0 && subItem <= 2; ++subItem) {
            char text[256] = {};
            LVITEMA item{};
            item.iSubItem = subItem;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessageA(List(search), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            cells.push_back(text);
        }
        return cells;
    }
    static void Select(const Dialog& search, HWND window) {
        constexpr UINT kSelected = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(List(search), RowOf(search, window), kSelected, kSelected);
    }
    // Two clicks of the real mouse at a point of the list.
    static void DoubleClickAt(const Dialog& search, int x, int y) {
        POINT at{x, y};
        ClientToScreen(List(search), &at);
        test::MouseTo(at.x, at.y);
        for (int i = 0; i < 4; ++i) {
            test::LeftButton(i % 2 == 0);
        }
        test::Pump(100);
    }

    const test::TestFolder folder_;
    test::InProcessVesk vesk_{folder_.Path()};
    TMainWindow& form = *vesk_.form;
};

TEST_F(ClassSearch, ListsVisibleUnownedWindowsAndAllOnlyWhenSearchedAgain) {
    TfrmClassSearch& search = OpenSearch();
    RECT rect{};
    GetWindowRect(search.Handle(), &rect);
    EXPECT_EQ(rect.right - rect.left, TfrmClassSearch::kWidth);
    EXPECT_EQ(rect.bottom - rect.top, TfrmClassSearch::kHeight);
    test::Pump(300);  // painted before it is taken
    EXPECT_TRUE(test::SavePng(test::CaptureScreen(rect), "class-search.png"));

    EXPECT_EQ(Row(search, g_shown), (Cells{"VeskSearchShown", kPlayer}));
    EXPECT_EQ(Row(search, g_quiet), (Cells{"VeskSearchQuiet", ""}));
    EXPECT_EQ(Row(search, g_long), (Cells{kLongClass.substr(0, 99), "Long"}));
    EXPECT_EQ(Row(search, g_twoLines), (Cells{"VeskSearchTwoLines", "One"}));
    EXPECT_EQ(Row(search, g_hidden), Cells{});
    EXPECT_EQ(Row(search, g_tool), Cells{});

    SendMessageA(search.Item(IDC_CBX_MORE), BM_CLICK, 0, 0);
    EXPECT_EQ(Row(search, g_hidden), Cells{}) << "the check box alone does not search";
    SendMessageA(search.Item(IDC_BTN_SEARCH), BM_CLICK, 0, 0);
    EXPECT_EQ(Row(search, g_hidden), (Cells{"VeskSearchHidden", "Hidden"}));
    EXPECT_EQ(Row(search, g_tool), (Cells{"VeskSearchTool", "Tool"}));
    EXPECT_EQ(Row(search, g_shown), (Cells{"VeskSearchShown", kPlayer}));
}

TEST_F(ClassSearch, OkAndDoubleClickTakeTheClassOverAndTheDialogAlwaysCloses) {
    SendMessageA(OpenSearch().Handle(), WM_COMMAND, IDOK, 0);  // no row selected
    EXPECT_EQ(Search(), nullptr);
    EXPECT_EQ(SettingText(IDC_LED_GETCLASSNAME), "VeskNoSuchPlayer");

    Select(OpenSearch(), g_shown);
    SendMessageA(Search()->Item(IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(Search(), nullptr);
    EXPECT_EQ(SettingText(IDC_LED_GETCLASSNAME), "VeskSearchShown");
    EXPECT_EQ(SettingText(IDC_LBL_WINDOWTITLE), kPlayer) << "the live test found the player";

    // Made taller, the list grows; a double click below its rows does nothing, one on a
    // row is OK for that row.
    TfrmClassSearch& search = OpenSearch();
    SetWindowPos(search.Handle(), nullptr, 0, 0, TfrmClassSearch::kWidth, 600, SWP_NOMOVE);
    RECT list{};
    GetClientRect(List(search), &list);
    ASSERT_GT(list.bottom, 450);
    DoubleClickAt(search, list.right / 2, list.bottom - 4);
    ASSERT_EQ(Search(), &search);
    RECT row{};
    ListView_GetItemRect(List(search), RowOf(search, g_quiet), &row, LVIR_BOUNDS);
    DoubleClickAt(search, 80, (row.top + row.bottom) / 2);
    EXPECT_TRUE(test::PumpUntil([&] { return Search() == nullptr; }));
    EXPECT_EQ(SettingText(IDC_LED_GETCLASSNAME), "VeskSearchQuiet");
    EXPECT_EQ(SettingText(IDC_LBL_WINDOWTITLE), "PlayerNotFound");

    // Closing the settings dialog closes it; an OK after that dialog has gone takes nothing.
    const HWND open = OpenSearch().Handle();
    Sink().frmSetting()->bbnCancelClick();
    EXPECT_FALSE(IsWindow(open));
    EXPECT_EQ(Search(), nullptr);
    TfrmClassSearch late([this](const std::string& name) { Sink().TakeClassName(name); });
    ASSERT_TRUE(late.CreateModeless(nullptr));
    late.Show();
    Select(late, g_shown);
    late.bbnOKClick();
    EXPECT_EQ(late.Handle(), nullptr);
    EXPECT_EQ(Sink().frmSetting(), nullptr);
    form.mitSettingClick();
    EXPECT_EQ(SettingText(IDC_LED_GETCLASSNAME), "VeskNoSuchPlayer");
}

}  // namespace
}  // namespace vesk
