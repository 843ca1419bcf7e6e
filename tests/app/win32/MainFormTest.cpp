// The main form made in this process on a program folder of its own: what start-up takes
// from the settings, the menu commands that reach the lyrics window, and the save when
// Windows ends the session.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DesktopKit.h"
#include "TestFolder.h"
#include "TestText.h"
#include "app/win32/InProcessVesk.h"
#include "app/win32/LyricsWindowSink.h"
#include "app/win32/MainWindow.h"
#include "app/win32/TrayMenus.h"
#include "common/FileSystem.h"
#include "lyrics/untTLyricsList.h"
#include "settings/VeskSettings.h"
#include "tools/WineTray.h"

namespace vesk {
namespace {

using test::Ansi;
using test::PumpUntil;

// The icon's callback message and id, as the shell sends them.
constexpr UINT kTrayCallback = 0x04C8;
constexpr WPARAM kIconId = 1;

// Hidden lyrics window (FormPos 3): nothing to wait for when it goes.
constexpr char kHiddenWindow[] = "[LyricsForm]\r\nFormPos=3\r\n";

// Wine's tray takes a moment to let go of an icon removed just before.
bool TrayEmpty() {
    return PumpUntil([] { return test::TrayIconWindows().empty(); }, 10000);
}

// Writes the settings and the list, then makes the form as the program does.
class MainFormRig {
public:
    MainFormRig(const std::string& settings, const std::string& list)
        : vesk_(Prepared(folder, settings, list)), form(vesk_.form.get()) {
        EXPECT_TRUE(form->Create());
    }

    HWND Application() const { return vesk_.application.Handle(); }
    void Command(UINT item) { SendMessageA(form->Handle(), WM_COMMAND, item, 0); }
    TfrmLyrics* Window() const { return vesk_.lyricsWindow.frmLyrics(); }
    std::string IniValue(const char* section, const char* key) const {
        char value[256] = {};
        GetPrivateProfileStringA(section, key, "(none)", value, sizeof(value),
                                 (folder / "Vesk.ini").c_str());
        return value;
    }

    const test::TestFolder folder;

private:
    static const std::string& Prepared(const test::TestFolder& folder, const std::string& settings,
                                       const std::string& list) {
        EXPECT_TRUE(TrayEmpty()) << "an icon is in the tray already";
        EXPECT_TRUE(CurrentFileSystem().ReplaceFile(folder / "Vesk.ini", settings));
        EXPECT_TRUE(CurrentFileSystem().ReplaceFile(folder / "Vesk.csv", list));
        return folder.Path();
    }

    test::InProcessVesk vesk_;

public:
    TMainWindow* const form;
};

TEST(MainForm, SettingsApplyToTheListLoadedBeforeThem) {
    // Loading a list makes its comparison case-sensitive again: the setting must come after.
    struct Row {
        const char* settings;
        std::int32_t indexOfLowerCase;
    };
    const Row rows[] = {
        {"[MainForm]\r\nLyricShow=0\r\n[TitleGet]\r\nSensetive=0\r\n", 0},
        {"[MainForm]\r\nLyricShow=0\r\n", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.settings);
        MainFormRig rig(row.settings, "\"Rain\",\"C:\\rain.txt\",0,0\r\n");
        ASSERT_NE(rig.form->LyricsList(), nullptr);
        EXPECT_EQ(rig.form->LyricsList()->IndexOf("rain"), row.indexOfLowerCase);
    }
}

TEST(MainForm, PriorityIsTheProcesssPriorityClass) {
    MainFormRig rig("[MainForm]\r\nLyricShow=0\r\nPriority=2\r\n", "");
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
    // Read again as after the settings dialog.
    struct Row {
        const char* priority;
        DWORD expected;
    };
    const Row rows[] = {
        {"0", IDLE_PRIORITY_CLASS},
        {"258", HIGH_PRIORITY_CLASS},  // only the low 8 bits count
        {"4", HIGH_PRIORITY_CLASS},    // no such class: the last one stays
        {"1", NORMAL_PRIORITY_CLASS},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.priority);
        ASSERT_TRUE(WritePrivateProfileStringA("MainForm", "Priority", row.priority,
                                               (rig.folder / "Vesk.ini").c_str()));
        rig.form->LoadMainSettings();
        EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), row.expected);
    }
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
}

TEST(MainForm, MenuCommandsReachTheLyricsWindow) {
    MainFormRig rig(kHiddenWindow, "");
    TfrmLyrics* window = rig.Window();
    ASSERT_NE(window, nullptr);

    rig.Command(mitTopMost);
    EXPECT_EQ(window->FormPos(), 1);
    rig.Command(mitBottom);
    EXPECT_EQ(window->FormPos(), 2);
    rig.Command(mitBottom);
    EXPECT_EQ(window->FormPos(), 0);
    rig.Command(mitTopMost);
    rig.Command(mitTopMost);
    EXPECT_EQ(window->FormPos(), 0);

    const bool transparent = window->BackTransparent();
    rig.Command(mitBackTransparent);
    EXPECT_EQ(window->BackTransparent(), !transparent);

    SetWindowPos(window->Handle(), nullptr, 3000, 2500, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    rig.Command(mitReturnDisplay);
    RECT bounds{};
    GetWindowRect(window->Handle(), &bounds);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);

    rig.Command(mitVisible);
    EXPECT_EQ(rig.Window(), nullptr);
    rig.Command(mitTopMost);  // no window: nothing happens
    rig.Command(mitVisible);
    EXPECT_NE(rig.Window(), nullptr);

    const HWND form = rig.form->Handle();
    rig.Command(mitExit);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(form); }, 5000));
    EXPECT_EQ(rig.IniValue("MainForm", "LyricShow"), "1");
}

TEST(MainForm, EndOfTheSessionSavesOnce) {
    MainFormRig rig(std::string("[MainForm]\r\nLyricShow=1\r\n") + kHiddenWindow, "");
    ASSERT_NE(rig.Window(), nullptr);
    rig.form->AssignLyrics({Ansi("夏の雨"), "C:\\rain.txt", 0, 0});
    const std::string saved = Ansi("\"夏の雨\",\"C:\\rain.txt\",0,0\r\n");

    // Asked first, then told: Windows ends the process after this message.
    EXPECT_EQ(SendMessageA(rig.form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageA(rig.form->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(CurrentFileSystem().ReadFile(rig.folder / "Vesk.csv"), saved);
    EXPECT_EQ(rig.IniValue("MainForm", "LyricShow"), "1");
    EXPECT_EQ(rig.Window(), nullptr);

    // A close after that does not save again: the list is as the session's end left it.
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(rig.folder / "Vesk.csv", "changed\r\n"));
    const HWND form = rig.form->Handle();
    SendMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(form));
    EXPECT_EQ(CurrentFileSystem().ReadFile(rig.folder / "Vesk.csv"), "changed\r\n");
}

TEST(MainForm, SessionThatGoesOnSavesNothing) {
    MainFormRig rig(std::string("[MainForm]\r\nLyricShow=0\r\n") + kHiddenWindow, "");
    SendMessageA(rig.form->Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(CurrentFileSystem().ReadFile(rig.folder / "Vesk.csv"), "");
    EXPECT_NE(rig.form->LyricsList(), nullptr) << "the exit frees the list";
}

TEST(MainForm, CloseOfTheApplicationWindowEndsTheProgramAsItsExitDoes) {
    MainFormRig rig(std::string("[MainForm]\r\nLyricShow=1\r\n") + kHiddenWindow, "");
    rig.form->AssignLyrics({"Rain", "C:\\rain.txt", 0, 0});
    const HWND form = rig.form->Handle();
    SendMessageA(rig.Application(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(form));
    EXPECT_TRUE(IsWindow(rig.Application()));
    EXPECT_EQ(CurrentFileSystem().ReadFile(rig.folder / "Vesk.csv"),
              "\"Rain\",\"C:\\rain.txt\",0,0\r\n");
    EXPECT_EQ(rig.IniValue("MainForm", "LyricShow"), "1");
}

// The first window of the class that this process made (and that shows, if asked).
HWND WindowOfThisProcess(const char* className, bool visibleOnly = false) {
    for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, className, nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && (!visibleOnly || IsWindowVisible(window))) {
            return window;
        }
    }
    return nullptr;
}
HWND OpenMenuOfThisProcess() {
    return WindowOfThisProcess("#32768", true);
}
HWND TrayWindowOfThisProcess() {
    return WindowOfThisProcess("TaskTrayHandle");
}

// A Vesk.ini that another program holds at start-up: the program runs on defaults and
// writes none of them back at exit, neither the main form's nor the lyrics window's keys.
TEST(MainForm, SettingsHeldAtStartUpAreNotWrittenBack) {
    const test::TestFolder folder;
    const std::string settings = std::string("[MainForm]\r\nLyricShow=0\r\n") + kHiddenWindow;
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(folder / "Vesk.ini", settings));
    HANDLE held = CreateFileA((folder / "Vesk.ini").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    {
        test::InProcessVesk vesk(folder.Path());
        ASSERT_TRUE(vesk.form->Create());
        EXPECT_NE(vesk.lyricsWindow.frmLyrics(), nullptr);  // LyricShow's default
        CloseHandle(held);
    }
    EXPECT_EQ(CurrentFileSystem().ReadFile(folder / "Vesk.ini"), settings);
    EXPECT_TRUE(TrayEmpty());
}

HWND g_windowToClose = nullptr;

// Posts WM_CLOSE to the window once a menu of this process is open.
void CALLBACK CloseWhenMenuOpens(HWND, UINT, UINT_PTR timer, DWORD) {
    if (OpenMenuOfThisProcess() != nullptr) {
        KillTimer(nullptr, timer);
        PostMessageA(g_windowToClose, WM_CLOSE, 0, 0);
    }
}

// A close that arrives while an icon menu is open (the run script's Ctrl+C, a logoff) ends
// the menu and the program, saving; the icon, whose code runs the menu, stays whole until
// the form object goes.
TEST(MainForm, CloseWhileAnIconMenuIsOpen) {
    for (const bool queuedBeforeTheMenu : {false, true}) {
        SCOPED_TRACE(queuedBeforeTheMenu ? "queued before the menu opens" : "while it is open");
        {
            MainFormRig rig("[MainForm]\r\nLyricShow=0\r\n", "");
            rig.form->AssignLyrics({"Rain", "C:\\rain.txt", 0, 0});
            const HWND form = rig.form->Handle();
            const HWND trayWindow = TrayWindowOfThisProcess();
            ASSERT_NE(trayWindow, nullptr);
            UINT_PTR timer = 0;
            if (queuedBeforeTheMenu) {
                PostMessageA(form, WM_CLOSE, 0, 0);
            } else {
                g_windowToClose = form;
                timer = SetTimer(nullptr, 0, 50, CloseWhenMenuOpens);
            }
            SetCursorPos(600, 300);
            // Returns once the menu has closed.
            SendMessageA(trayWindow, kTrayCallback, kIconId, WM_RBUTTONDOWN);
            if (timer != 0) {
                KillTimer(nullptr, timer);
            }
            EXPECT_EQ(OpenMenuOfThisProcess(), nullptr);
            EXPECT_FALSE(IsWindow(form));
            EXPECT_EQ(CurrentFileSystem().ReadFile(rig.folder / "Vesk.csv"),
                      "\"Rain\",\"C:\\rain.txt\",0,0\r\n");
        }
        EXPECT_TRUE(TrayEmpty());
    }
}

// Posts WM_CLOSE to the main form of this process (found once its window exists, inside
// Create) once a message box of this process is open: the user ends the program from the
// tray while start-up shows an error.
void CALLBACK CloseFormWhenABoxOpens(HWND, UINT, UINT_PTR timer, DWORD) {
    if (g_windowToClose == nullptr) {
        g_windowToClose = WindowOfThisProcess("TfrmMain");
    }
    if (g_windowToClose != nullptr && WindowOfThisProcess("#32770", true) != nullptr) {
        KillTimer(nullptr, timer);
        PostMessageA(g_windowToClose, WM_CLOSE, 0, 0);
    }
}

TEST(MainForm, ExitWhileStartUpShowsAnErrorStopsTheStartUp) {
    // The lyrics window's settings cannot be read: start-up shows the error and waits.
    const test::TestFolder folder;
    ASSERT_TRUE(
        CurrentFileSystem().ReplaceFile(folder / "Vesk.ini",
                                        "[MainForm]\r\nLyricShow=1\r\n[LyricsForm]\r\nFormPos=3\r\n"
                                        "ShadowColor=blue\r\n"));
    {
        test::InProcessVesk vesk(folder.Path());
        g_windowToClose = nullptr;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseFormWhenABoxOpens);
        EXPECT_TRUE(vesk.form->Create());  // returns: no crash, no hang
        KillTimer(nullptr, timer);
        EXPECT_FALSE(IsWindow(vesk.form->Handle()));
        EXPECT_EQ(vesk.lyricsWindow.frmLyrics(), nullptr);
    }
    EXPECT_EQ(TrayWindowOfThisProcess(), nullptr);
}

}  // namespace
}  // namespace vesk
