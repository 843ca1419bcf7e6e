#pragma once

// Drives the built Vesk.exe from outside, as a user's desktop would: a program folder of its
// own with the files a user writes there (Shift_JIS), the running program found by its
// windows, the tray icon read back from Wine's tray, and the program ended as its own exit
// command does.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "DesktopKit.h"
#include "ScreenCapture.h"
#include "TestFolder.h"
#include "app/Version.h"
#include "common/win32/WinHandles.h"

namespace vesk::test {

// The programs that the tests run, passed by CMake: Vesk.exe, fake_player.exe and
// close_window.exe; and the automation server that stands in for Windows Media Player's.
std::string VeskProgram();
std::string FakePlayerProgram();
std::string CloseWindowProgram();
std::string FakeWmpServerLibrary();

// Runs a command line to its end; its exit code, or nullopt when it did not end in time.
std::optional<DWORD> RunProgram(std::string commandLine, DWORD milliseconds);

// The tip that the program gives its icon once start-up is done.
inline constexpr wchar_t kReadyTip[] = L"Vesk " VESK_VERSION_SHORT;

// The names of the files in a folder (ANSI path ending with a separator), sorted.
std::vector<std::string> FilesIn(const std::string& folder);

// A fresh program folder with its own copy of Vesk.exe.
class ProgramFolder {
public:
    ProgramFolder();

    const std::string& Path() const { return folder_.Path(); }
    std::string operator/(const std::string& name) const { return folder_ / name; }
    std::string Program() const { return folder_ / "Vesk.exe"; }
    std::string Ini() const { return folder_ / "Vesk.ini"; }
    std::string List() const { return folder_ / "Vesk.csv"; }

    // Writes a file in the folder as a user would: name and content in UTF-8, stored as the
    // ANSI (Shift_JIS) bytes. Returns the file's ANSI path.
    std::string Write(const std::string& utf8Name, const std::string& utf8Content) const;
    // The bytes of a file of the folder (ANSI name); "(unreadable)" when it cannot be read.
    std::string Read(const std::string& ansiName) const;
    bool Exists(const std::string& ansiName) const;
    // A value of the settings file as the profile functions read it; "(none)" when missing.
    std::string IniValue(const std::string& section, const std::string& key) const;
    // The names of the files in the folder, sorted.
    std::vector<std::string> Files() const { return FilesIn(Path()); }

private:
    TestFolder folder_;
};

// One run of Vesk.exe, in a job of its own so that the programs it starts are counted.
class VeskProcess {
public:
    explicit VeskProcess(const std::string& program);
    ~VeskProcess();
    VeskProcess(const VeskProcess&) = delete;
    VeskProcess& operator=(const VeskProcess&) = delete;

    bool Started() const { return process_.Started(); }
    DWORD Id() const { return process_.Id(); }
    // How many programs Vesk has started so far (those that ended included).
    DWORD ProgramsStarted() const;

    // Start-up is done: the main form exists, the icon carries the version tip and the
    // program waits for input.
    bool WaitReady();

    // The program's top-level windows by class: the first, nullptr when it has none; all.
    HWND Window(const char* className) const;
    std::vector<HWND> Windows(const char* className) const;
    HWND MainForm() const { return Window("TfrmMain"); }
    HWND LyricsWindow() const { return Window("TfrmLyrics"); }
    HWND TrayWindow() const { return Window("TaskTrayHandle"); }

    // Posts WM_CLOSE to the main form, as the exit command does, and waits for the end.
    // The exit code, or nullopt when the program did not end in time.
    std::optional<DWORD> Exit(DWORD milliseconds = 30000);
    // Waits for the program to end by itself; its exit code, or nullopt.
    std::optional<DWORD> WaitEnd(DWORD milliseconds);

private:
    ChildProcess process_;
};

// Top-level windows of a class (of every process), and their owning processes.
std::vector<HWND> WindowsOfClass(const char* className);
// The same, but only those of other processes than the test's own.
std::vector<HWND> OtherProcessesWindows(const char* className);
DWORD ProcessOf(HWND window);
std::string CaptionOf(HWND window);

// Vesk's visible dialog (#32770) with this caption (ANSI), once it shows; nullptr when it
// does not within the time.
HWND WaitVeskDialog(const VeskProcess& vesk, const std::string& caption,
                    DWORD milliseconds = 20000);
// The control with this id anywhere below a window (a settings page's included).
HWND ControlOf(HWND window, int id);
// The text of a control of another process, asked of the control itself (GetWindowText
// does not for another process's window), and setting it.
std::string ControlText(HWND window, int id);
void SetControlText(HWND window, int id, const std::string& text);

// Ids of the running processes whose program file has this name ("player.exe").
std::vector<DWORD> ProcessesNamed(const char* exeName);
// Ends them (processes the tests caused to be started).
void EndProcesses(const std::vector<DWORD>& ids);

// A window's picture as the screen shows it now.
ScreenPicture PictureOf(HWND window);
bool SamePicture(const ScreenPicture& a, const ScreenPicture& b);
// Saves a picture beside the test program, to look at after a failure.
void SaveForInspection(const ScreenPicture& picture, const std::string& name);

}  // namespace vesk::test
