// The settings dialog in the program made in this process, on a program folder of its own
// with a hand-made Vesk.ini: real input on its controls, what 適用 writes and what the
// running program takes over, the Windows Media Player preset, キャンセル, a settings file
// that cannot be written, and the folder browser.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "DesktopKit.h"
#include "ScreenCapture.h"
#include "TestFolder.h"
#include "TestText.h"
#include "app/win32/InProcessVesk.h"
#include "app/win32/LyricsWindowSink.h"
#include "app/win32/MainWindow.h"
#include "app/win32/SettingFormSink.h"
#include "app/win32/VeskDriver.h"
#include "common/FileSystem.h"
#include "common/win32/MessageLoop.h"
#include "display/win32/LyricsFormTestKit.h"
#include "settings/win32/SettingExtensionRes.h"
#include "settings/win32/SettingFormRes.h"
#include "shell/SHBFFEX.h"

namespace vesk {
namespace {

using test::Ansi;
using test::PumpUntil;

// The program with its settings dialog open on a Vesk.ini of the test's.
class SettingRig {
public:
    explicit SettingRig(const std::string& utf8Settings)
        : vesk_(Prepared(folder, Ansi(utf8Settings))), form(*vesk_.form) {
        EXPECT_TRUE(form.Create());
        form.mitSettingClick();
        EXPECT_NE(Dialog(), nullptr);
    }

    TfrmSetting* Dialog() const { return form.SettingForm().frmSetting(); }
    TfrmLyrics* Lyrics() const { return vesk_.lyricsWindow.frmLyrics(); }
    HWND Handle() const { return Dialog()->Handle(); }
    // A control of any page.
    HWND Control(int id) const { return test::ControlOf(Handle(), id); }
    std::string Text(int id) const {
        char text[1024] = {};
        GetWindowTextA(Control(id), text, sizeof(text));
        return text;
    }
    bool Checked(int id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) != 0; }
    void Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }
    void Show(int page) const {
        Dialog()->SetActivePage(page);
        test::Pump(50);
    }
    // The pointer on the upper (increasing) arrow of an up-down, pressed and released.
    void ClickUp(int upDownId, int times = 1) const {
        RECT r{};
        GetWindowRect(Control(upDownId), &r);
        for (int i = 0; i < times; ++i) {
            test::MouseTo((r.left + r.right) / 2, r.top + (r.bottom - r.top) / 4);
            test::LeftButton(true);
            test::LeftButton(false);
            test::Pump(60);
        }
    }
    // A key pressed on a control, as the keyboard sends it.
    void Key(int id, UINT key, int times = 1) const {
        for (int i = 0; i < times; ++i) {
            PostMessageA(Control(id), WM_KEYDOWN, key, 1);
            PostMessageA(Control(id), WM_KEYUP, key, 0xC0000001);
        }
        test::Pump(50);
    }
    std::string Ini() const {
        return CurrentFileSystem().ReadFile(folder / "Vesk.ini").value_or("");
    }

    const test::TestFolder folder;

private:
    static const std::string& Prepared(const test::TestFolder& folder, const std::string& ini) {
        EXPECT_TRUE(CurrentFileSystem().ReplaceFile(folder / "Vesk.ini", ini));
        EXPECT_TRUE(CurrentFileSystem().ReplaceFile(folder / "Vesk.csv", ""));
        return folder.Path();
    }

    test::InProcessVesk vesk_;

public:
    TMainWindow& form;
};

// Keys of every group as prefixes of the order in which the dialog writes them, so that
// the keys it adds follow them and the whole file is in that order. Odd values: a style
// with underline, an opacity and an alignment beyond their ranges, a check interval and a
// title position below theirs.
constexpr char kHandMade[] =
    "[LyricsForm]\r\nFont.Name=Arial\r\nFont.Size=10\r\nFont.Style=4\r\nFont.Color=0x000000FF\r\n"
    "FormAlphaBlend=1\r\nFormAlphaBlendValue=300\r\nBackColor=0x00FFFFFF\r\nChangeWidth=0\r\n"
    "FitBottom=1\r\nFitRight=0\r\nFadeInOut=0\r\nAlignment=7\r\n"
    "[TitleGet]\r\nGetClassName=VeskNoSuchPlayer\r\nGetTitle=\r\nTopCut=8\r\nBottomCut=0\r\n"
    "TitlePos=0\r\nDelimiters=-<>\r\nCheckTime=50\r\nSensetive=1\r\n"
    "[Connection]\r\nOn=0\r\nPlayer=C:\\player.exe\r\nLyricsMasterOn=1\r\n"
    "LyricsMasterPath=LM.exe 【quote】[title]【quote】\r\nClose=0\r\n"
    "[MainForm]\r\nLyricShow=0\r\nPasteSavePath=C:\\Lyrics\\\r\nNotAmazon=0\r\nPriority=1\r\n";

TEST(SettingDialog, ApplyWritesEveryKeyInOrderAndTheProgramTakesThemAtOnce) {
    SettingRig rig(kHandMade);
    ASSERT_EQ(rig.Dialog()->ActivePage(), TfrmSetting::tabView);
    EXPECT_EQ(rig.Text(IDC_EDT_TEXTSIZE), "10");
    EXPECT_EQ(rig.Text(IDC_CMB_STYLE), Ansi("標準"));
    rig.ClickUp(IDC_UPD_TEXTSIZE);
    rig.Key(IDC_CMB_STYLE, VK_DOWN);
    rig.ClickUp(IDC_UDN_SHADOWLEFT, 2);
    EXPECT_EQ(rig.Text(IDC_EDT_TEXTSIZE), "11");
    EXPECT_EQ(rig.Text(IDC_CMB_STYLE), Ansi("斜体"));
    EXPECT_EQ(rig.Text(IDC_EDT_SHADOWLEFT), "2");

    rig.Show(TfrmSetting::tabView2);
    EXPECT_EQ(rig.Text(IDC_LBL_ALPHAVALUE), "255");
    EXPECT_TRUE(rig.Checked(IDC_RGP_ALIGNMENT + 2));
    rig.Key(IDC_TBR_ALPHABLEND, VK_HOME);
    rig.Key(IDC_TBR_ALPHABLEND, VK_NEXT, 8);
    EXPECT_EQ(rig.Text(IDC_LBL_ALPHAVALUE), "128");

    rig.Show(TfrmSetting::tabTitleGet);
    EXPECT_EQ(rig.Text(IDC_LED_CHECKTIME), "100");
    EXPECT_EQ(rig.Text(IDC_LED_TITLEPOS), "1");
    rig.ClickUp(IDC_UDN_CHECKTIME);
    EXPECT_EQ(rig.Text(IDC_LED_CHECKTIME), "200");
    SetWindowTextA(rig.Control(IDC_LED_DELIMITERS), "- ");
    rig.Click(IDC_CBX_SENSITIVE);

    rig.Show(TfrmSetting::tabOther);
    rig.Click(IDC_RGP_PRIORITY + 2);
    rig.Click(IDC_SETTING_APPLY);

    EXPECT_EQ(rig.Ini(),
              Ansi("[LyricsForm]\r\nFont.Name=Arial\r\nFont.Size=11\r\nFont.Style=2\r\n"
                   "Font.Color=0x000000FF\r\nFormAlphaBlend=1\r\nFormAlphaBlendValue=128\r\n"
                   "BackColor=0x00FFFFFF\r\nChangeWidth=0\r\nFitBottom=1\r\nFitRight=0\r\n"
                   "FadeInOut=0\r\nAlignment=2\r\nShadowColor=0x00808080\r\nShadowLeft=2\r\n"
                   "ShadowTop=0\r\nShadowHighLight=0\r\n"
                   "[TitleGet]\r\nGetClassName=VeskNoSuchPlayer\r\nGetTitle=\r\nTopCut=8\r\n"
                   "BottomCut=0\r\nTitlePos=1\r\nDelimiters=\"- \"\r\nCheckTime=200\r\n"
                   "Sensetive=0\r\n"
                   "[Connection]\r\nOn=0\r\nPlayer=C:\\player.exe\r\nLyricsMasterOn=1\r\n"
                   "LyricsMasterPath=LM.exe 【quote】[title]【quote】\r\nClose=0\r\n"
                   "[MainForm]\r\nLyricShow=0\r\nPasteSavePath=C:\\Lyrics\\\r\nNotAmazon=0\r\n"
                   "Priority=2\r\n"));
    EXPECT_EQ(rig.form.Settings().checkTime, 200);
    EXPECT_EQ(rig.form.Settings().delimiters, "- ");
    EXPECT_FALSE(rig.form.LyricsList()->CaseSensitive());
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    EXPECT_TRUE(IsWindowVisible(rig.Handle()));

    // Opened again after a close: loaded afresh, the blank of the delimiters kept.
    rig.Dialog()->bbnCancelClick();
    EXPECT_EQ(rig.Dialog(), nullptr);
    rig.form.mitSettingClick();
    ASSERT_NE(rig.Dialog(), nullptr);
    EXPECT_EQ(rig.Text(IDC_LED_DELIMITERS), "- ");
    EXPECT_EQ(rig.Dialog()->ActivePage(), TfrmSetting::tabView);
}

TEST(SettingDialog, OpenLyricsWindowIsWrittenWhereItIsAndRedrawnInTheNewFont) {
    SettingRig rig(
        "[MainForm]\r\nLyricShow=1\r\n[LyricsForm]\r\nFont.Size=9\r\nFormSize.XSize=300\r\n"
        "FormClientPos.X=420\r\nFormClientPos.Y=500\r\nFormPos=0\r\n");
    ASSERT_NE(rig.Lyrics(), nullptr);
    const HWND window = rig.Lyrics()->Handle();
    // The lyrics window's "設定(&S)" reaches the same dialog.
    TfrmSetting* const open = rig.Dialog();
    rig.Lyrics()->mitSettingClick();
    EXPECT_EQ(rig.Dialog(), open);
    // The window moved by the user since it opened: the apply writes it where it is now.
    SetWindowPos(window, nullptr, 430, 510, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(rig.Handle(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    test::Pump(100);
    const auto inkRows = [&] {
        const test::ScreenPicture picture = test::PictureOf(window);
        const std::uint32_t background = picture.At(0, 0);
        int rows = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                if (picture.At(x, y) != background) {
                    ++rows;
                    break;
                }
            }
        }
        return rows;
    };
    const int rowsBefore = inkRows();
    ASSERT_GT(rowsBefore, 0);

    SetFocus(rig.Control(IDC_EDT_TEXTSIZE));
    rig.Key(IDC_EDT_TEXTSIZE, VK_UP, 15);
    EXPECT_EQ(rig.Text(IDC_EDT_TEXTSIZE), "24");
    rig.Click(IDC_SETTING_APPLY);
    test::Pump(200);
    EXPECT_GT(inkRows(), 2 * rowsBefore) << "the text in 24 points";
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 430);
    EXPECT_EQ(rect.top, 510);
    const std::string ini = rig.Ini();
    EXPECT_NE(ini.find("Font.Size=24\r\n"), std::string::npos);
    EXPECT_NE(ini.find("FormClientPos.X=430\r\nFormClientPos.Y=510\r\n"), std::string::npos);
    EXPECT_NE(ini.find("\r\nFormPos=0\r\n"), std::string::npos);
    EXPECT_NE(ini.find("\r\nBackTransparent=0\r\n"), std::string::npos);
    EXPECT_NE(ini.find("\r\nFormSize.YSize="), std::string::npos);
}

TEST(SettingDialog, WmpPresetThenCancelWritesNothing) {
    SettingRig rig(kHandMade);
    rig.Show(TfrmSetting::tabTitleGet);
    EXPECT_EQ(rig.Text(IDC_LBL_WINDOWTITLE), "PlayerNotFound");
    rig.Click(IDC_BTN_WMP);
    EXPECT_EQ(rig.Text(IDC_LED_GETCLASSNAME), "WMPlayerApp");
    EXPECT_EQ(rig.Text(IDC_LED_GETTITLE), "");
    EXPECT_EQ(rig.Text(IDC_LED_TOPCUT), "0");
    EXPECT_EQ(rig.Text(IDC_LED_BOTTOMCUT), "23");
    EXPECT_EQ(rig.Text(IDC_LED_TITLEPOS), "1");
    EXPECT_TRUE(IsWindowEnabled(rig.Control(IDC_BTN_SEARCHCLASS)));
    // Opened again while it is open: the same dialog, not loaded again.
    TfrmSetting* const open = rig.Dialog();
    rig.form.mitSettingClick();
    EXPECT_EQ(rig.Dialog(), open);
    EXPECT_EQ(rig.Text(IDC_LED_GETCLASSNAME), "WMPlayerApp");

    const HWND dialog = rig.Handle();
    PostMessageA(rig.Control(IDC_LED_GETCLASSNAME), WM_KEYDOWN, VK_ESCAPE, 1);
    // Esc reaches the dialog through the program's own loop.
    const DWORD end = GetTickCount() + 10000;
    MSG msg{};
    while (rig.Dialog() != nullptr && GetTickCount() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!RouteDialogMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        Sleep(10);
    }
    EXPECT_EQ(rig.Dialog(), nullptr);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(rig.Ini(), Ansi(kHandMade));
}

TEST(SettingDialog, RefusedWriteIsShownAndTheDialogStaysOpen) {
    SettingRig rig(kHandMade);
    const std::string path = rig.folder / "Vesk.ini";
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    auto box = test::AnswerBox("Vesk", IDOK);
    SendMessageA(rig.Handle(), WM_COMMAND, IDOK, 0);  // returns once the box is answered
    const test::BoxSeen seen = box.get();
    CloseHandle(held);
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(seen.text, path + Ansi(" に書き込めません"));
    ASSERT_NE(rig.Dialog(), nullptr);
    EXPECT_TRUE(IsWindowVisible(rig.Handle()));
    EXPECT_EQ(rig.Ini(), Ansi(kHandMade));
}

TEST(SettingDialog, UnreadableColourStopsTheLoadingButTheDialogOpens) {
    auto box = test::AnswerBox("Vesk", IDOK);
    SettingRig rig(
        "[MainForm]\r\nLyricShow=0\r\n[LyricsForm]\r\nFormAlphaBlendValue=100\r\n"
        "BackColor=0xZZ\r\nFitBottom=1\r\n[TitleGet]\r\nGetClassName=VeskNoSuchPlayer\r\n");
    const test::BoxSeen seen = box.get();
    EXPECT_TRUE(seen.found);
    EXPECT_NE(seen.text.find("$ZZ"), std::string::npos) << seen.text;
    ASSERT_NE(rig.Dialog(), nullptr);
    EXPECT_TRUE(IsWindowVisible(rig.Handle()));
    // Read before the colour: shown; after it, and the other groups: as the dialog was made.
    EXPECT_EQ(rig.Text(IDC_LBL_ALPHAVALUE), "100");
    EXPECT_FALSE(rig.Checked(IDC_CBX_FITBOTTOM));
    EXPECT_EQ(rig.Text(IDC_LED_GETCLASSNAME), "");
    EXPECT_EQ(rig.Text(IDC_LBL_WINDOWTITLE), "WindowTitle");
}

// The load stops at the colour it cannot read; OK then writes only what the user changed, so
// the keys not read and the unreadable one stay as the user stored them.
TEST(SettingDialog, AfterAnUnreadableColourOnlyWhatTheUserChangesIsWritten) {
    const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        return text.replace(text.find(from), from.size(), to);
    };
    const std::string handMade = replaced(kHandMade, "BackColor=0x00FFFFFF", "BackColor=0xZZ");
    enum class Step { kNothing, kOneValue, kAppliedThenBack };
    for (const Step step : {Step::kNothing, Step::kOneValue, Step::kAppliedThenBack}) {
        SCOPED_TRACE(static_cast<int>(step));
        auto box = test::AnswerBox("Vesk", IDOK);
        SettingRig rig(handMade);
        EXPECT_TRUE(box.get().found);
        std::string expected = Ansi(handMade);
        if (step != Step::kNothing) {
            SetWindowTextA(rig.Control(IDC_LED_GETCLASSNAME), "VeskOther");
            expected =
                replaced(expected, "GetClassName=VeskNoSuchPlayer", "GetClassName=VeskOther");
        }
        if (step == Step::kAppliedThenBack) {
            // Written by 適用, then put back as first shown: written back too.
            rig.Click(IDC_SETTING_APPLY);
            SetWindowTextA(rig.Control(IDC_LED_GETCLASSNAME), "VeskNoSuchPlayer");
            expected = Ansi(handMade);
        }
        rig.Click(IDOK);
        EXPECT_EQ(rig.Dialog(), nullptr);
        EXPECT_EQ(rig.Ini(), expected);
    }
}

// What the folder browser showed, read from inside its own modal loop.
struct BrowserSeen {
    HWND owner = nullptr;
    bool found = false;
    bool settingsEnabled = true;
    RECT rect{};
    std::string selected;
};
BrowserSeen g_browser;
HWND g_settingDialog = nullptr;

BOOL CALLBACK FindTree(HWND window, LPARAM result) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, WC_TREEVIEWA) == 0) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ReadBrowserThenOk(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND browser = nullptr;
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w != nullptr;
         w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
        if (w != g_settingDialog && GetWindow(w, GW_OWNER) == g_settingDialog &&
            IsWindowVisible(w)) {
            browser = w;
        }
    }
    HWND tree = nullptr;
    if (browser != nullptr) {
        EnumChildWindows(browser, FindTree, reinterpret_cast<LPARAM>(&tree));
    }
    const auto item =
        tree != nullptr
            ? reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0))
            : nullptr;
    if (item == nullptr) {
        return;  // not filled yet
    }
    KillTimer(nullptr, timer);
    char text[MAX_PATH] = {};
    TVITEMA tvItem{};
    tvItem.mask = TVIF_TEXT;
    tvItem.hItem = item;
    tvItem.pszText = text;
    tvItem.cchTextMax = sizeof(text);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem));
    g_browser.found = true;
    g_browser.selected = text;
    g_browser.settingsEnabled = IsWindowEnabled(g_settingDialog) != FALSE;
    GetWindowRect(browser, &g_browser.rect);
    PostMessageA(browser, WM_COMMAND, IDOK, 0);
}

// The page the settings dialog shows: its visible child dialog.
HWND ShownPage(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        GetClassNameA(child, name, sizeof(name));
        if (std::string(name) == "#32770" && IsWindowVisible(child)) {
            return child;
        }
    }
    return nullptr;
}

// The keys of a property sheet, sent as the message loop gets them: the modifier keys as the
// thread's keyboard state holds them.
TEST(SettingDialog, TabsTurnWithTheKeysOfAPropertySheet) {
    SettingRig rig("[MainForm]\r\nLyricShow=0\r\n");
    const auto press = [&](UINT message, WPARAM key, bool control, bool shift) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = control ? 0x80 : 0;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        MSG msg{};
        msg.hwnd = GetFocus() != nullptr ? GetFocus() : rig.Handle();
        msg.message = message;
        msg.wParam = key;
        msg.lParam = message == WM_SYSCHAR ? LPARAM{1} << 29 : 1;
        if (!RouteDialogMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        state[VK_CONTROL] = state[VK_SHIFT] = 0;
        SetKeyboardState(state);
        test::Pump(20);
    };
    using Tab = TfrmSetting::TabPage;
    const struct {
        const char* keys;
        UINT message;
        WPARAM key;
        bool control, shift;
        Tab from, to;
    } rows[] = {
        {"Alt+2", WM_SYSCHAR, '2', false, false, Tab::tabView, Tab::tabView2},
        {"Alt+T", WM_SYSCHAR, 't', false, false, Tab::tabView2, Tab::tabTitleGet},
        {"Alt+X, over the cancel button's", WM_SYSCHAR, 'x', false, false, Tab::tabOther,
         Tab::tabExtension},
        {"Alt+C where a control of the page has it", WM_SYSCHAR, 'c', false, false, Tab::tabView,
         Tab::tabView},
        {"Alt+C", WM_SYSCHAR, 'c', false, false, Tab::tabOther, Tab::tabConnection},
        {"Ctrl+Tab", WM_KEYDOWN, VK_TAB, true, false, Tab::tabExtension, Tab::tabView},
        {"Ctrl+Shift+Tab", WM_KEYDOWN, VK_TAB, true, true, Tab::tabView, Tab::tabExtension},
        {"Ctrl+PageDown", WM_KEYDOWN, VK_NEXT, true, false, Tab::tabView2, Tab::tabConnection},
        {"Ctrl+PageUp", WM_KEYDOWN, VK_PRIOR, true, false, Tab::tabConnection, Tab::tabView2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keys);
        rig.Show(row.from);
        SetFocus(GetNextDlgTabItem(ShownPage(rig.Handle()), nullptr, FALSE));
        press(row.message, row.key, row.control, row.shift);
        EXPECT_EQ(rig.Dialog()->ActivePage(), row.to);
        EXPECT_TRUE(IsChild(ShownPage(rig.Handle()), GetFocus())) << "the focus is on the page";
    }
    // What the user typed and the player's caption as shown carry no access keys.
    SetWindowTextA(rig.Control(IDC_LED_GETCLASSNAME), "R&C");
    SetWindowTextA(rig.Control(IDC_LBL_WINDOWTITLE), "R&X");
    for (const auto& [key, to] : {std::pair{'c', Tab::tabConnection}, {'x', Tab::tabExtension}}) {
        rig.Show(Tab::tabTitleGet);
        SetFocus(rig.Control(IDC_LED_GETCLASSNAME));
        press(WM_SYSCHAR, key, false, false);
        ASSERT_NE(rig.Dialog(), nullptr) << key;
        EXPECT_EQ(rig.Dialog()->ActivePage(), to) << key;
    }
}

// Every page's Tab order runs as the eye reads it: a group box at a time, the groups and the
// controls in a group row by row from the top (rects whose heights overlap share a row), left
// to right in a row.
bool ReadBefore(const RECT& a, const RECT& b) {
    const bool sameRow = b.top < a.bottom && a.top < b.bottom;
    return sameRow ? a.left < b.left : a.top < b.top;
}

// The group box a control lies in, or the control's own rectangle.
RECT UnitOf(HWND page, const RECT& control) {
    const POINT centre{(control.left + control.right) / 2, (control.top + control.bottom) / 2};
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT group{};
        GetWindowRect(child, &group);
        if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
            PtInRect(&group, centre)) {
            return group;
        }
    }
    return control;
}

TEST(SettingDialog, TheTabKeyGoesThroughEveryPageInVisualOrder) {
    SettingRig rig("[MainForm]\r\nLyricShow=0\r\n");
    for (int page = 0; page < TfrmSetting::kTabCount; ++page) {
        rig.Show(page);
        const HWND pageWindow = ShownPage(rig.Handle());
        ASSERT_NE(pageWindow, nullptr);
        RECT previous{};
        const HWND first = GetNextDlgTabItem(pageWindow, nullptr, FALSE);
        for (HWND control = first; control != nullptr;) {
            RECT r{};
            GetWindowRect(control, &r);
            if (control != first) {
                const RECT unit = UnitOf(pageWindow, r);
                const RECT previousUnit = UnitOf(pageWindow, previous);
                EXPECT_TRUE(EqualRect(&unit, &previousUnit) ? ReadBefore(previous, r)
                                                            : ReadBefore(previousUnit, unit))
                    << "page " << page << ": control " << GetDlgCtrlID(control)
                    << " comes after one the eye reads later";
            }
            previous = r;
            control = GetNextDlgTabItem(pageWindow, control, FALSE);
            if (control == first || !IsChild(pageWindow, control)) {
                break;
            }
        }
    }
}

TEST(SettingDialog, FolderBrowserOpensCentredOnTheFolderShownAndAddsTheSeparator) {
    SettingRig rig("[MainForm]\r\nLyricShow=0\r\nPasteSavePath=C:\\windows\\\r\n");
    rig.Show(TfrmSetting::tabOther);
    g_browser = {};
    g_settingDialog = rig.Handle();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, ReadBrowserThenOk);
    rig.Click(IDC_BTN_PASTESAVE);  // returns when the browser has closed
    KillTimer(nullptr, timer);
    ASSERT_TRUE(g_browser.found);
    EXPECT_EQ(CharLowerA(g_browser.selected.data()), std::string("windows"));
    EXPECT_FALSE(g_browser.settingsEnabled);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const ScreenPoint at = CenterScreenPosition(work.right - work.left, work.bottom - work.top,
                                                g_browser.rect.right - g_browser.rect.left,
                                                g_browser.rect.bottom - g_browser.rect.top);
    EXPECT_EQ(g_browser.rect.left, at.x);
    EXPECT_EQ(g_browser.rect.top, at.y);
    std::string chosen = rig.Text(IDC_EDT_PASTESAVEPATH);
    EXPECT_EQ(CharLowerA(chosen.data()), std::string("c:\\windows\\"));
    EXPECT_TRUE(IsWindowEnabled(rig.Handle()));

    rig.Click(IDC_BTN_PASTESAVEDELETE);
    EXPECT_EQ(rig.Text(IDC_EDT_PASTESAVEPATH), "");
}

// The browser and the apply rules are the other pages'; here the page's own keys.
TEST(SettingDialog, ExtensionTabShowsItsKeysAndTheProgramTakesThemAtOnce) {
    SettingRig rig("[MainForm]\r\nLyricShow=0\r\n[Extension]\r\nLyricsFolder=C:\\nowhere\\\r\n");
    char caption[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = sizeof(caption);
    SendMessageA(rig.Control(IDC_SETTING_TABS), TCM_GETITEMA, TfrmSetting::tabExtension,
                 reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::string(caption), Ansi("拡張(&X)"));
    rig.Show(TfrmSetting::tabExtension);
    EXPECT_TRUE(IsWindowVisible(rig.Control(IDC_EDT_LYRICSFOLDER)));
    EXPECT_EQ(rig.Text(IDC_EDT_LYRICSFOLDER), "C:\\nowhere\\");
    EXPECT_EQ(rig.Text(IDC_EDT_OVERLAYFILE), "");

    const std::string overlay = rig.folder / "now.txt";
    SetWindowTextA(rig.Control(IDC_EDT_OVERLAYFILE), overlay.c_str());
    rig.Click(IDC_BTN_LYRICSFOLDERDELETE);
    rig.Click(IDC_SETTING_APPLY);
    EXPECT_EQ(rig.form.Settings().lyricsFolder, "");
    EXPECT_EQ(rig.form.Settings().overlayTextFile, overlay);
    EXPECT_NE(rig.Ini().find("[Extension]\r\nLyricsFolder=\r\nOverlayTextFile=" + overlay + "\r\n"),
              std::string::npos)
        << rig.Ini();
    // The title was checked at once: the file holds what would be shown.
    EXPECT_NE(CurrentFileSystem().ReadFile(overlay).value_or(""), "");
    rig.Click(IDC_BTN_OVERLAYFILEDELETE);
    EXPECT_EQ(rig.Text(IDC_EDT_OVERLAYFILE), "");

    // The search of the lyrics service: off, at the public service, until the user says.
    EXPECT_FALSE(rig.Checked(IDC_CBX_ONLINELYRICS));
    EXPECT_EQ(rig.Text(IDC_EDT_ONLINELYRICSURL), "https://lrclib.net");
    RECT group{};
    RECT page{};
    GetWindowRect(rig.Control(IDC_GRP_ONLINELYRICS), &group);
    GetWindowRect(GetParent(rig.Control(IDC_GRP_ONLINELYRICS)), &page);
    EXPECT_LE(group.bottom, page.bottom) << "the page is too short for its last group";
    rig.Click(IDC_CBX_ONLINELYRICS);
    SetWindowTextA(rig.Control(IDC_EDT_ONLINELYRICSURL), "http://127.0.0.1:8080");
    rig.Click(IDC_SETTING_APPLY);
    EXPECT_TRUE(rig.form.Settings().onlineLyrics);
    EXPECT_EQ(rig.form.Settings().onlineLyricsUrl, "http://127.0.0.1:8080");
    EXPECT_NE(rig.Ini().find("OnlineLyrics=1\r\nOnlineLyricsUrl=http://127.0.0.1:8080\r\n"),
              std::string::npos)
        << rig.Ini();
}

// Synced lyrics on the same page: off by default, the lines as stored, only changed keys
// written.
TEST(SettingDialog, ExtensionTabTurnsSyncedLyricsOn) {
    SettingRig rig("[MainForm]\r\nLyricShow=0\r\n[Extension]\r\nSyncLines=3\r\n");
    rig.Show(TfrmSetting::tabExtension);
    EXPECT_TRUE(IsWindowVisible(rig.Control(IDC_CBX_SYNCLYRICS)));
    EXPECT_FALSE(rig.Checked(IDC_CBX_SYNCLYRICS));
    EXPECT_EQ(rig.Text(IDC_EDT_SYNCLINES), "3");
    rig.Click(IDC_CBX_SYNCLYRICS);
    rig.ClickUp(IDC_UDN_SYNCLINES, 2);
    rig.Click(IDC_SETTING_APPLY);
    EXPECT_TRUE(rig.form.Settings().syncLyrics);
    EXPECT_EQ(rig.form.Settings().syncLines, 5);
    EXPECT_NE(rig.Ini().find("[Extension]\r\nSyncLines=5\r\nSyncLyrics=1\r\n"), std::string::npos)
        << rig.Ini();
    EXPECT_EQ(rig.Ini().find("SyncColor"), std::string::npos) << "unchanged, not written";
}

}  // namespace
}  // namespace vesk
