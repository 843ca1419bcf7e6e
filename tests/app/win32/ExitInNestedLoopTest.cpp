// The built Vesk.exe told to end, as the tray's "終了(&X)" does, while the user is in one of
// its nested loops: a folder browser, a file dialog, the colour dialog, a message box, the
// class search, the assignment dialog. The program must end within 5 s with exit code 0 (a
// window object deleted while its own code ran makes it 70, or crashes the program) and
// save as at a normal exit. Arguments: Vesk.exe, fake_player.exe, close_window.exe.

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "TestText.h"
#include "app/win32/TrayMenus.h"
#include "app/win32/VeskDriver.h"
#include "display/win32/LyricsFormRes.h"
#include "editing/win32/FileSelectFormRes.h"
#include "editing/win32/LyricsListFormRes.h"
#include "settings/win32/SettingExtensionRes.h"
#include "settings/win32/SettingFormRes.h"
#include "title/win32/FakePlayerProcess.h"

namespace vesk {
namespace {

using test::Ansi;

constexpr DWORD kExitTime = 5000;
constexpr char kPlayerClass[] = "VeskE2E.Exit";
constexpr char kProgramName[] = "VeskExit.exe";
constexpr char kUnmanagedKey[] = "Software\\Wine\\AppDefaults\\VeskExit.exe\\X11 Driver";

// Where a step's command goes: the main form (the tray's menus), its icon's window, the
// lyrics window, or the window the step before opened.
enum class To { Main, Icon, Lyrics, Last };
// Steps that are no command of the program's.
constexpr int kDoubleClickRow = -1;  // a double click on the first row of the list
constexpr int kSaveAsExport = -2;    // the file dialog's name set to export.csv, then OK
constexpr int kContextMenu = -3;     // the window's pop-up menu
constexpr int kIconMenu = -4;        // the right button on the icon
// The icon's callback message, as the shell sends it.
constexpr UINT kTrayCallback = 0x04C8;
constexpr WPARAM kIconId = 1;

struct Step {
    To to;
    int id;
    const char* caption;  // of the window the step opens (UTF-8); nullptr: the system's own
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
    // Made read-only for the last step (the write that fails shows the box), writable again
    // before the end.
    const char* readOnly = nullptr;
};

constexpr Step kSettings{To::Main, mitSetting, "Veskの設定"};
constexpr Step kAssign{To::Main, mitThisLyric, "歌詞ファイル割り当て"};
constexpr Step kEditor{To::Main, mitEditList, "歌詞リスト"};
constexpr char kErrorBox[] = "Vesk";
constexpr char kPasteBox[] = "貼り付け割り当て";

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

// The loops run by the settings dialog, the list editor and the lyrics window fail when their
// owner deletes the window object at once (the program counts the fault: exit code 70). The
// assignment dialog, the box and the menu of the tray belong to objects that live as long as
// the program, and the class search runs no loop: those rows guard the end itself only.
const Scenario kScenarios[] = {
    {"SettingsPasteFolderBrowser", {kSettings, {To::Last, IDC_BTN_PASTESAVE, nullptr}}},
    {"SettingsLyricsFolderBrowser", {kSettings, {To::Last, IDC_BTN_LYRICSFOLDER, nullptr}}},
    {"SettingsPlayerFileOpen", {kSettings, {To::Last, IDC_BTN_CONNECTIONPLAYEROPEN, nullptr}}},
    {"SettingsOverlayFileSave", {kSettings, {To::Last, IDC_BTN_OVERLAYFILE, nullptr}}},
    {"SettingsColourDialog", {kSettings, {To::Last, IDC_PNL_TEXTCOLOR, nullptr}}},
    {"SettingsApplyErrorBox", {kSettings, {To::Last, IDC_SETTING_APPLY, kErrorBox}}, "Vesk.ini"},
    {"SettingsClassSearch", {kSettings, {To::Last, IDC_BTN_SEARCHCLASS, "クラスの検索"}}},
    {"TrayAssignment", {kAssign}},
    {"AssignmentFileOpen", {kAssign, {To::Last, IDC_FS_FILE_OPEN, nullptr}}},
    {"AssignmentPasteBox", {kAssign, {To::Last, IDC_FS_PASTE_SAVE, kPasteBox}}},
    {"EditorImport", {kEditor, {To::Last, IDM_LL_INCLUDE, nullptr}}},
    {"EditorExport", {kEditor, {To::Last, IDM_LL_EXCLUDE, nullptr}}},
    {"EditorExportErrorBox",
     {kEditor, {To::Last, IDM_LL_EXCLUDE, nullptr}, {To::Last, kSaveAsExport, kErrorBox}},
     "export.csv"},
    {"EditorNew", {kEditor, {To::Last, IDC_LL_NEW, "歌詞ファイル割り当て"}}},
    {"EditorDoubleClick", {kEditor, {To::Last, kDoubleClickRow, "歌詞ファイル割り当て"}}},
    {"EditorDoubleClickFileOpen",
     {kEditor,
      {To::Last, kDoubleClickRow, "歌詞ファイル割り当て"},
      {To::Last, IDC_FS_FILE_OPEN, nullptr}}},
    {"LyricsWindowPasteBox", {{To::Lyrics, IDM_LYRICS_PASTESAVE, kPasteBox}}},
    {"LyricsWindowMenu", {{To::Lyrics, kContextMenu, nullptr}}},
    {"TrayPasteBox", {{To::Main, mitPasteSave, kPasteBox}}},
    {"TrayIconMenu", {{To::Icon, kIconMenu, nullptr}}},
};

// Takes the program's windows one step deeper at a time, each step waiting for the window it
// opens.
class Walk {
public:
    Walk(const test::VeskProcess& vesk, const test::ProgramFolder& folder)
        : vesk_(vesk), folder_(folder) {}

    // Whether the step's window showed.
    bool Take(const Step& step) {
        const HWND target = step.to == To::Main     ? vesk_.MainForm()
                            : step.to == To::Icon   ? vesk_.TrayWindow()
                            : step.to == To::Lyrics ? vesk_.LyricsWindow()
                                                    : last_;
        const bool menu = step.id == kContextMenu || step.id == kIconMenu;
        if (step.id == kContextMenu) {
            RECT bounds{};
            GetWindowRect(target, &bounds);
            PostMessageA(target, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target),
                         MAKELPARAM(bounds.left + 10, bounds.top + 10));
        } else if (step.id == kIconMenu) {
            PostMessageA(target, kTrayCallback, kIconId, WM_RBUTTONDOWN);
        } else if (step.id == kDoubleClickRow) {
            DoubleClickFirstRow(target);
        } else if (step.id == kSaveAsExport) {
            const std::string path = folder_ / "export.csv";
            const int field = GetDlgItem(target, cmb13) != nullptr ? cmb13 : edt1;
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(GetDlgItem(target, field), WM_SETTEXT, 0,
                                reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL, 5000,
                                &ignored);
            PostMessageA(target, WM_COMMAND, IDOK, 0);
        } else {
            Command(target, step.id);
        }
        last_ = WaitNewWindow(menu ? "#32768" : "#32770", step.caption);
        return last_ != nullptr;
    }

private:
    // As a click of the control (on whichever page of the dialog it lies), or as a menu
    // command when the window has no such control.
    static void Command(HWND window, int id) {
        if (HWND control = test::ControlOf(window, id)) {
            PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(control));
        } else {
            PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
        }
    }

    // The first row lies just below the column headers.
    static void DoubleClickFirstRow(HWND editor) {
        const HWND list = GetDlgItem(editor, IDC_LL_LIST);
        RECT header{};
        GetWindowRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &header);
        const LPARAM at = MAKELPARAM(10, header.bottom - header.top + 4);
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
            PostMessageA(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
        }
    }

    // A visible window of the program (a dialog or a menu) that was not there before, with
    // that caption (any when nullptr).
    HWND WaitNewWindow(const char* windowClass, const char* caption) {
        HWND found = nullptr;
        test::PumpUntil(
            [&] {
                for (HWND window : vesk_.Windows(windowClass)) {
                    if (IsWindowVisible(window) && seen_.count(window) == 0 &&
                        (caption == nullptr || test::CaptionOf(window) == Ansi(caption))) {
                        found = window;
                    }
                }
                return found != nullptr;
            },
            20000);
        seen_.insert(found);
        return found;
    }

    const test::VeskProcess& vesk_;
    const test::ProgramFolder& folder_;
    std::set<HWND> seen_;
    HWND last_ = nullptr;
};

class ExitInNestedLoop : public testing::TestWithParam<Scenario> {
protected:
    // One player for every run: its song gives the assignment dialog and the paste commands
    // a title.
    static void SetUpTestSuite() {
        // The test desktop has no window manager, and Wine waits 2 s for one at every hide of
        // a window it hands to it: the program's copy runs with windows of its own.
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kUnmanagedKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr) == ERROR_SUCCESS) {
            RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
            RegCloseKey(key);
        }
        player_ = std::make_unique<test::FakePlayerProcess>(test::FakePlayerProgram(), kPlayerClass,
                                                            Ansi("夏の雨 - 青空"));
        // The paste commands then ask before they save.
        static_cast<void>(test::PutTextOnClipboard(Ansi("雨の歌詞\r\n")));
    }
    static void TearDownTestSuite() { player_.reset(); }

    inline static std::unique_ptr<test::FakePlayerProcess> player_;
};

TEST_P(ExitInNestedLoop, EndsAtOnceWithExitCodeZeroAndSavesAsAtANormalExit) {
    const Scenario& scenario = GetParam();
    ASSERT_TRUE(player_->Started());
    const test::ProgramFolder folder;
    const std::string rain = folder.Write("rain.txt", "雨の音が\r\n窓をたたく\r\n");
    const std::string star = folder.Write("star.txt", "星がひとつ\r\n");
    folder.Write("export.csv", "");
    // Written by hand, not as Vesk writes it: the save at the end changes the bytes.
    folder.Write("Vesk.csv", test::Utf8("\"" + Ansi("夏の雨") + "\",\"" + rain + "\", 1, 2\n\"" +
                                        Ansi("星の歌") + "\",\"" + star + "\", 0, 0\n"));
    // No LyricShow: the end writes it, 1 for the lyrics window that opens by default.
    folder.Write("Vesk.ini", std::string("[TitleGet]\r\nGetClassName=") + kPlayerClass +
                                 "\r\nTopCut=0\r\nDelimiters=-\r\nCheckTime=100\r\n"
                                 "[Connection]\r\nOn=0\r\nClose=0\r\n"
                                 "[MainForm]\r\nPasteSavePath=" +
                                 test::Utf8(folder.Path()) + "\r\n");

    const std::string program = folder / kProgramName;
    ASSERT_TRUE(CopyFileA(folder.Program().c_str(), program.c_str(), TRUE));
    test::VeskProcess vesk(program);
    ASSERT_TRUE(vesk.WaitReady());
    Walk walk(vesk, folder);
    const std::string readOnly = scenario.readOnly != nullptr ? folder / scenario.readOnly : "";
    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
        const bool last = i + 1 == scenario.steps.size();
        if (last && !readOnly.empty()) {
            SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        const bool shown = walk.Take(scenario.steps[i]);
        if (last && !readOnly.empty()) {
            SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        ASSERT_TRUE(shown) << "step " << i + 1 << " shows no window";
    }

    PostMessageA(vesk.MainForm(), WM_COMMAND, mitExit, 0);
    EXPECT_EQ(vesk.WaitEnd(kExitTime), std::optional<DWORD>(0));
    EXPECT_EQ(folder.Read("Vesk.csv"), "\"" + Ansi("夏の雨") + "\",\"" + rain + "\",1,2\r\n\"" +
                                           Ansi("星の歌") + "\",\"" + star + "\",0,0\r\n");
    EXPECT_EQ(folder.IniValue("MainForm", "LyricShow"), "1");
}

INSTANTIATE_TEST_SUITE_P(EveryLoop, ExitInNestedLoop, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vesk
