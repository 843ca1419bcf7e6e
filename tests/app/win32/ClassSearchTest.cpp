// The window class search dialog in the program made in this process, opened from the
// settings dialog: which of the test's own windows it lists, what OK and a double click
// take over into the settings dialog, and that it always closes.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
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
using Cells = std::vector<std::string>;  // class name, caption; empty: no row

const std::string kLongClass = "VeskSearchLong" + std::string(106, 'L');  // 120 bytes

// The test's windows. Placed off the screen: Wine then never maps them, and hiding or
// destroying them costs nothing (a mapped window costs about two seconds each).
struct TestWindows {
    HWND shown, hidden, tool, quiet, longClass, twoLines;
};
TestWindows g_windows{};

HWND MakeWindow(const std::string& className, const std::string& caption, bool visible,
                HWND owner = nullptr, DWORD exStyle = 0) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className.c_str();
    RegisterClassA(&wc);
    return CreateWindowExA(exStyle, className.c_str(), caption.c_str(),
                           WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), -20000, -20000, 200,
                           100, owner, nullptr, wc.hInstance, nullptr);
}

HWND g_found = nullptr;
BOOL CALLBACK FindControl(HWND window, LPARAM id) {
    if (GetDlgCtrlID(window) != static_cast<int>(id)) {
        return TRUE;
    }
    g_found = window;
    return FALSE;
}

class ClassSearch : public testing::Test {
protected:
    static void SetUpTestSuite() {
        g_windows.shown = MakeWindow("VeskSearchShown", Ansi("夏の雨 - 青空"), true);
        g_windows.hidden = MakeWindow("VeskSearchHidden", "Hidden", false);
        g_windows.tool =
            MakeWindow("VeskSearchTool", "Tool", true, g_windows.shown, WS_EX_TOOLWINDOW);
        g_windows.quiet = MakeWindow("VeskSearchQuiet", "", true);
        g_windows.longClass = MakeWindow(kLongClass, "Long", true);
        g_windows.twoLines = MakeWindow("VeskSearchTwoLines", "One\r\nTwo", true);
    }
    static void TearDownTestSuite() {
        for (const HWND w : {g_windows.tool, g_windows.shown, g_windows.hidden, g_windows.quiet,
                             g_windows.longClass, g_windows.twoLines}) {
            DestroyWindow(w);
        }
    }

    ClassSearch() : vesk_(Prepared(folder_)), form(*vesk_.form) {
        EXPECT_TRUE(form.Create());
        form.mitSettingClick();
        Sink().frmSetting()->SetActivePage(TfrmSetting::tabTitleGet);
    }

    TSettingFormSink& Sink() const { return form.SettingForm(); }
    TfrmClassSearch* Search() const { return Sink().frmClassSearch(); }
    std::string SettingText(int id) const {
        g_found = nullptr;
        EnumChildWindows(Sink().frmSetting()->Handle(), FindControl, id);
        char text[256] = {};
        GetWindowTextA(g_found, text, sizeof(text));
        return text;
    }
    // "クラス検索(&F)" pressed.
    TfrmClassSearch& OpenSearch() {
        g_found = nullptr;
        EnumChildWindows(Sink().frmSetting()->Handle(), FindControl, IDC_BTN_SEARCHCLASS);
        SendMessageA(g_found, BM_CLICK, 0, 0);
        test::Pump(50);
        EXPECT_NE(Search(), nullptr);
        return *Search();
    }

    static HWND List(const Dialog& search) { return search.Item(IDC_LVW_CLASSNAME); }
    // The row of a window, found by its handle written as "%d".
    static int RowOf(const Dialog& search, HWND window) {
        char handle[16] = {};
        std::snprintf(handle, sizeof(handle), "%d",
                      static_cast<int>(reinterpret_cast<std::intptr_t>(window)));
        LVFINDINFOA find{};
        find.flags = LVFI_STRING;
        find.psz = handle;
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
        LVITEMA item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(List(search), LVM_SETITEMSTATE, RowOf(search, window),
                     reinterpret_cast<LPARAM>(&item));
    }
    static void DoubleClickAt(HWND control, POINT at) {
        ClientToScreen(control, &at);
        test::MouseTo(at.x, at.y);
        for (int i = 0; i < 4; ++i) {
            test::LeftButton(i % 2 == 0);
        }
        test::Pump(100);
    }

private:
    static const std::string& Prepared(const test::TestFolder& folder) {
        EXPECT_TRUE(CurrentFileSystem().ReplaceFile(folder / "Vesk.ini",
                                                    "[MainForm]\r\nLyricShow=0\r\n[TitleGet]\r\n"
                                                    "GetClassName=VeskNoSuchPlayer\r\n"));
        EXPECT_TRUE(CurrentFileSystem().ReplaceFile(folder / "Vesk.csv", ""));
        return folder.Path();
    }

    const test::TestFolder folder_;
    test::InProcessVesk vesk_;

protected:
    TMainWindow& form;
};

TEST_F(ClassSearch, ListsVisibleUnownedWindowsAndAllOnlyWhenSearchedAgain) {
    TfrmClassSearch& search = OpenSearch();
    RECT rect{};
    GetWindowRect(search.Handle(), &rect);
    EXPECT_EQ(rect.right - rect.left, TfrmClassSearch::kWidth);
    EXPECT_EQ(rect.bottom - rect.top, TfrmClassSearch::kHeight);
    EXPECT_TRUE(IsWindowVisible(search.Handle()));
    EXPECT_TRUE(test::SavePng(test::CaptureScreen(rect), "class-search.png"));

    EXPECT_EQ(Row(search, g_windows.shown), (Cells{"VeskSearchShown", Ansi("夏の雨 - 青空")}));
    EXPECT_EQ(Row(search, g_windows.quiet), (Cells{"VeskSearchQuiet", ""}));
    EXPECT_EQ(Row(search, g_windows.longClass), (Cells{kLongClass.substr(0, 99), "Long"}));
    EXPECT_EQ(Row(search, g_windows.twoLines), (Cells{"VeskSearchTwoLines", "One"}));
    EXPECT_EQ(Row(search, g_windows.hidden), Cells{});
    EXPECT_EQ(Row(search, g_windows.tool), Cells{});

    SendMessageA(search.Item(IDC_CBX_MORE), BM_CLICK, 0, 0);
    EXPECT_EQ(Row(search, g_windows.hidden), Cells{}) << "the check box alone does not search";
    SendMessageA(search.Item(IDC_BTN_SEARCH), BM_CLICK, 0, 0);
    EXPECT_EQ(Row(search, g_windows.hidden), (Cells{"VeskSearchHidden", "Hidden"}));
    EXPECT_EQ(Row(search, g_windows.tool), (Cells{"VeskSearchTool", "Tool"}));
    EXPECT_EQ(Row(search, g_windows.shown), (Cells{"VeskSearchShown", Ansi("夏の雨 - 青空")}));
}

TEST_F(ClassSearch, OkAndDoubleClickTakeTheClassOverAndTheDialogAlwaysCloses) {
    // No row selected: nothing taken.
    SendMessageA(OpenSearch().Handle(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Search(), nullptr);
    EXPECT_EQ(SettingText(IDC_LED_GETCLASSNAME), "VeskNoSuchPlayer");

    // The player's row: its class, and the live test finds the player.
    Select(OpenSearch(), g_windows.shown);
    SendMessageA(Search()->Item(IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(Search(), nullptr);
    EXPECT_EQ(SettingText(IDC_LED_GETCLASSNAME), "VeskSearchShown");
    EXPECT_EQ(SettingText(IDC_LBL_WINDOWTITLE), Ansi("夏の雨 - 青空"));

    // Made taller, the list grows; a double click below its rows does nothing, one on a
    // row takes it over.
    TfrmClassSearch& search = OpenSearch();
    SetWindowPos(search.Handle(), HWND_TOP, 0, 0, TfrmClassSearch::kWidth, 600, SWP_NOMOVE);
    RECT list{};
    GetClientRect(List(search), &list);
    EXPECT_GT(list.bottom, 450);
    DoubleClickAt(List(search), {list.right / 2, list.bottom - 4});
    ASSERT_EQ(Search(), &search);
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(List(search), LVM_GETITEMRECT, RowOf(search, g_windows.quiet),
                 reinterpret_cast<LPARAM>(&row));
    DoubleClickAt(List(search), {row.left + 80, (row.top + row.bottom) / 2});
    EXPECT_TRUE(test::PumpUntil([&] { return Search() == nullptr; }));
    EXPECT_EQ(SettingText(IDC_LED_GETCLASSNAME), "VeskSearchQuiet");
    EXPECT_EQ(SettingText(IDC_LBL_WINDOWTITLE), "PlayerNotFound");

    // Closing the settings dialog closes the class search; an OK after the settings dialog
    // has gone takes nothing over.
    const HWND open = OpenSearch().Handle();
    Sink().frmSetting()->bbnCancelClick();
    EXPECT_FALSE(IsWindow(open));
    EXPECT_EQ(Search(), nullptr);
    TfrmClassSearch late([this](const std::string& name) { Sink().TakeClassName(name); });
    ASSERT_TRUE(late.CreateModeless(nullptr));
    late.Show();
    Select(late, g_windows.shown);
    late.bbnOKClick();
    EXPECT_EQ(late.Handle(), nullptr);
    EXPECT_EQ(Sink().frmSetting(), nullptr);
    form.mitSettingClick();
    EXPECT_EQ(SettingText(IDC_LED_GETCLASSNAME), "VeskNoSuchPlayer");
}

}  // namespace
}  // namespace vesk
