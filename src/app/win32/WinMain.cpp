// Program entry: one instance only, the hidden application window and main form, then the
// message loop until the main form closes.

#include <windows.h>

#include "app/win32/ApplicationWindow.h"
#include "app/win32/LyricsWindowSink.h"
#include "app/win32/MainWindow.h"
#include "common/win32/ComApartment.h"
#include "common/win32/MessageLoop.h"
#include "common/win32/ProgramFolder.h"
#include "common/win32/WinHandles.h"
#include "common/win32/WindowLifetime.h"
#include "editing/win32/untFileSelectForm.h"
#include "settings/VeskSettings.h"

namespace {

constexpr const char* kInstanceMutex = "EX_Mutex";
constexpr int kLifetimeFaultExitCode = 70;

// The program from its instance guard to the end of its message loop; the objects it made
// are gone when this returns.
int RunVesk() {
    using namespace vesk;
    // A second instance ends at once, without a word and without disturbing the first.
    if (HANDLE running = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kInstanceMutex)) {
        CloseHandle(running);
        return 0;
    }
    const KernelHandle instanceMutex(CreateMutexA(nullptr, FALSE, kInstanceMutex));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        return 0;  // another instance started in the same moment
    }

    // COM is entered by the features that use it; it is left when the program ends.
    const ComApartmentScope com;
    ApplicationWindow application;
    if (!application.Create()) {
        return 1;
    }
    const std::string folder = ProgramFolder();
    TLyricsWindowSink lyricsWindow(SettingsFilePathIn(folder));
    TMainWindow frmMain(application.Handle(), folder, lyricsWindow);
    lyricsWindow.AttachMainForm(frmMain);
    if (!frmMain.Create()) {
        return 1;
    }
    // Kept for the whole run; each use makes its window anew.
    TfrmFileSelect frmFileSelect(frmMain, application.Handle());
    frmMain.AttachFileSelect(frmFileSelect);
    return RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const int exitCode = RunVesk();
    // A window object deleted while its own code ran is a fault of the program, which the
    // user never sees; the exit code tells it to whoever started the program.
    return vesk::LifetimeFaults() == 0 ? exitCode : kLifetimeFaultExitCode;
}
