// The program's windows at the DPI of their monitor: at 96 DPI the sizes of their pixel
// tables as written, at 144 DPI half as large again, both for a program started at 144 DPI
// and for windows told by WM_DPICHANGED that they moved to a monitor of 144 DPI.
//
// Wine gives each program the DPI of the prefix (LogPixels) when it starts. The prefix is at
// 96 DPI; for the run at 144 DPI this program starts itself with LogPixels set in the
// volatile registry key that Wine reads first, and takes the value away as soon as the child
// has read it (the wineserver forgets the key anyway when the session ends).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "DesktopKit.h"
#include "TestArguments.h"
#include "TestFolder.h"
#include "app/win32/InProcessVesk.h"
#include "app/win32/LyricsWindowSink.h"
#include "app/win32/MainWindow.h"
#include "app/win32/SettingFormSink.h"
#include "common/DpiScale.h"
#include "common/FileSystem.h"
#include "editing/win32/LyricsListFormRes.h"
#include "editing/win32/untFileSelectForm.h"
#include "editing/win32/untLyricsListForm.h"
#include "settings/win32/untSettingForm.h"
#include "tools/ChildProcess.h"

namespace vesk {
namespace {

using Sizes = std::map<std::string, int>;

// Each size at 96 DPI (today's), at 144 DPI, and how far the one at 144 may be off: text
// and frames are the system's, whose rounding may differ by a pixel or two.
struct Row {
    const char* what;
    int at96;
    int at144;
    int slack;
};
constexpr int kLineHeightAt96 = 13;
const Row kRows[] = {
    {"settings dialog client width", 496, 744, 2},
    {"settings dialog client height", 303, 455, 2},
    {"lyrics line height", kLineHeightAt96, DpiScale(144)(kLineHeightAt96), 1},
    {"lyrics margins", 20, 30, 0},
    {"lyrics left moved", 0, 0, 0},  // the top-left corner stays where the user put it
    {"lyrics top moved", 0, 0, 0},
    {"list editor image button width", 24, 36, 0},
    {"list editor image button height", 24, 36, 0},
    {"list editor button image width", 16, 24, 0},
    {"assignment dialog least width", 395, 593, 2},
    {"assignment dialog least height", 323, 485, 2},
};

void ExpectSizes(const Sizes& measured, int dpi, const char* how) {
    for (const Row& row : kRows) {
        const auto found = measured.find(row.what);
        ASSERT_NE(found, measured.end()) << row.what;
        if (dpi == kBaseDpi) {
            EXPECT_EQ(found->second, row.at96) << row.what << how;
        } else {
            EXPECT_NEAR(found->second, row.at144, row.slack) << row.what << how;
        }
    }
}

class QuietOwner final : public FileSelectOwner {
    bool LyricsMasterOn() const override { return false; }
    std::string PasteSavePath() const override { return {}; }
    void SearchLyricsMaster(std::string_view) override {}
};

// The rectangle the system suggests for a window that moves to a monitor of dpi: its client
// area scaled, its frame as it is, moved by 40, 30.
RECT Suggested(HWND window, int dpi) {
    RECT bounds{};
    RECT client{};
    GetWindowRect(window, &bounds);
    GetClientRect(window, &client);
    const DpiScale scale(dpi);
    const int left = bounds.left + 40;
    const int top = bounds.top + 30;
    return {left, top, left + bounds.right - bounds.left + scale(client.right) - client.right,
            top + bounds.bottom - bounds.top + scale(client.bottom) - client.bottom};
}

// Sends WM_DPICHANGED when movedToDpi is not 0.
void MoveToDpi(HWND window, int movedToDpi) {
    if (movedToDpi != 0) {
        RECT suggested = Suggested(window, movedToDpi);
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(movedToDpi, movedToDpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }
}

// The sizes of each window as it opens in this process, after WM_DPICHANGED when movedToDpi
// is not 0.
Sizes MeasureWindows(int movedToDpi) {
    Sizes sizes;
    const test::TestFolder folder;
    EXPECT_TRUE(
        CurrentFileSystem().ReplaceFile(folder / "Vesk.ini", "[LyricsForm]\r\nFormPos=3\r\n"));
    test::InProcessVesk vesk(folder.Path());
    TMainWindow& form = *vesk.form;
    EXPECT_TRUE(form.Create());

    form.mitSettingClick();
    const HWND settings = form.SettingForm().frmSetting()->Handle();
    MoveToDpi(settings, movedToDpi);
    RECT client{};
    GetClientRect(settings, &client);
    sizes["settings dialog client width"] = client.right;
    sizes["settings dialog client height"] = client.bottom;
    form.SettingForm().CloseSettingDialog();

    TfrmLyrics& lyrics = *vesk.lyricsWindow.frmLyrics();
    lyrics.ShowLyrics("Vesk");
    RECT before{};
    GetWindowRect(lyrics.Handle(), &before);
    MoveToDpi(lyrics.Handle(), movedToDpi);
    RECT after{};
    GetWindowRect(lyrics.Handle(), &after);
    sizes["lyrics line height"] = lyrics.slbLyrics.Height();
    sizes["lyrics margins"] = after.bottom - after.top - lyrics.slbLyrics.Height();
    sizes["lyrics left moved"] = after.left - before.left;
    sizes["lyrics top moved"] = after.top - before.top;

    form.mitEditListClick();
    TfrmLyricsList& editor = *form.ListEditor().frmLyricsList();
    MoveToDpi(editor.Handle(), movedToDpi);
    RECT button{};
    GetWindowRect(editor.Item(IDC_LL_NEW), &button);
    sizes["list editor image button width"] = button.right - button.left;
    sizes["list editor image button height"] = button.bottom - button.top;
    BITMAP image{};
    GetObjectA(reinterpret_cast<HBITMAP>(
                   SendMessageA(editor.Item(IDC_LL_NEW), BM_GETIMAGE, IMAGE_BITMAP, 0)),
               sizeof(image), &image);
    sizes["list editor button image width"] = image.bmWidth;
    form.ListEditor().Close();

    QuietOwner owner;
    TfrmFileSelect assignment(owner, nullptr);
    EXPECT_TRUE(assignment.CreateModeless(nullptr));
    MoveToDpi(assignment.Handle(), movedToDpi);
    MINMAXINFO least{};
    SendMessageA(assignment.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&least));
    sizes["assignment dialog least width"] = least.ptMinTrackSize.x;
    sizes["assignment dialog least height"] = least.ptMinTrackSize.y;
    assignment.End(IDCANCEL);
    return sizes;
}

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

constexpr char kDpiReadEvent[] = "VeskDpiTestDpiRead";

TEST(Dpi, At96DpiTheTablesSizesAndMovedTo144TheyRescale) {
    ASSERT_EQ(ScreenDpi(), kBaseDpi);
    ExpectSizes(MeasureWindows(0), kBaseDpi, " at 96 DPI");
    ExpectSizes(MeasureWindows(144), 144, " moved to 144 DPI");
}

TEST(Dpi, StartedAt144DpiTheWindowsAreDrawnAtIt) {
    const test::TestFolder folder;
    const std::string report = folder / "sizes.txt";
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const HANDLE dpiRead = CreateEventA(nullptr, TRUE, FALSE, kDpiReadEvent);
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER,
                        "Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop", 0,
                        nullptr, REG_OPTION_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const DWORD dpi = 144;
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof(dpi));
    test::ChildProcess child(test::QuotedCommandLine(
        {program, "--gtest_also_run_disabled_tests", "--gtest_filter=DpiChild.*", report}));
    const HANDLE started[] = {dpiRead, child.Handle()};
    WaitForMultipleObjects(child.Started() ? 2 : 1, started, FALSE, 30000);
    RegDeleteValueA(key, "LogPixels");
    RegCloseKey(key);
    CloseHandle(dpiRead);
    ASSERT_EQ(child.WaitEnd(120000), 0u);

    Sizes sizes;
    std::ifstream lines(report);
    for (std::string what; std::getline(lines, what, '=');) {
        std::string value;
        std::getline(lines, value);
        sizes[what] = std::atoi(value.c_str());
    }
    EXPECT_EQ(sizes["screen dpi"], 144);
    ExpectSizes(sizes, 144, " started at 144 DPI");
}

// Run by the test above, in a process of its own; writes what it measured to the file given.
TEST(DpiChild, DISABLED_MeasuresTheWindowsAtThisProcesssDpi) {
    ASSERT_EQ(test::Arguments().size(), 1u);
    Sizes sizes{{"screen dpi", ScreenDpi()}};
    if (const HANDLE dpiRead = OpenEventA(EVENT_MODIFY_STATE, FALSE, kDpiReadEvent)) {
        SetEvent(dpiRead);
        CloseHandle(dpiRead);
    }
    sizes.merge(MeasureWindows(0));
    std::ofstream report(test::Arguments().front());
    for (const auto& [what, value] : sizes) {
        report << what << '=' << value << '\n';
    }
}

}  // namespace
}  // namespace vesk
