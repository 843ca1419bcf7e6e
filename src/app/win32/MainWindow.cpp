#include "app/win32/MainWindow.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "app/MainCommands.h"
#include "app/win32/ApplicationWindow.h"
#include "app/win32/LyricsWindowSink.h"
#include "app/win32/RunCommand.h"
#include "app/win32/SettingFormSink.h"
#include "common/AnsiError.h"
#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/ProgramText.h"
#include "common/win32/ErrorReport.h"
#include "common/win32/ShellOpen.h"
#include "common/win32/WindowDpi.h"
#include "editing/untPasteSave.h"
#include "settings/VeskSettings.h"
#include "title/win32/Win32WindowSystem.h"

#ifndef VESK_STORE_TAG
#define VESK_STORE_TAG ""
#endif

namespace vesk {

namespace {

constexpr UINT_PTR kTitleCheckTimer = 1;
// Posted by the online search's worker when results wait.
constexpr UINT kOnlineResults = WM_APP + 30;
// Set for the next change of synced lyrics, only while a synced song is shown.
constexpr UINT_PTR kSyncTimer = 2;
// How far the sync timer's next firing may be off rather than set again: less than the time
// the main form shows ahead (kSyncLeadMs), so that a change is never missed.
constexpr UINT kSyncTimerSlack = 10;
constexpr std::string_view kReadmeFileName = "readme.txt";
// A player that does not answer WM_CLOSE within this time is left alone, so that the
// program's own exit never hangs on it.
constexpr UINT kClosePlayerTimeout = 10000;

constexpr ProgramText kInformation{"情報"};
constexpr ProgramText kListNotSaved{"歌詞リストを保存できません："};
constexpr ProgramText kListKeptAsRead{
    "（Shift_JISで保存できない文字を含むため、ファイルは読み込んだときのまま残します）"};
constexpr ProgramText kOverlayNotWritten{"配信用テキストファイルに書き込めません："};
// Only a damaged or altered Vesk.exe lacks its version resource.
constexpr ProgramText kNoVersion{
    "Vesk.exeのバージョン情報を読み取れません。Vesk.exeが壊れているおそれがあります。"
    "配布されたファイルで置き換えてください。"};

}  // namespace

TMainWindow::TMainWindow(HWND applicationWindow, std::string programFolder,
                         TLyricsWindowSink& lyricsWindow)
    : TfrmMain(TitleGet(), lyricsWindow, RunCommandLine),
      applicationWindow_(applicationWindow),
      programFolder_(std::move(programFolder)),
      iniPath_(SettingsFilePathIn(programFolder_)),
      listPath_(LyricsListPathIn(programFolder_)),
      lyricsWindow_(lyricsWindow),
      settingForm_(std::make_unique<TSettingFormSink>(*this, lyricsWindow, applicationWindow)),
      listEditor_(*this, applicationWindow) {
    lyricsWindow_.OnOpenSettings = [this] { mitSettingClick(); };
    SetDefaultLyricsFolder(DefaultLyricsFolderIn(programFolder_));
}

TMainWindow::~TMainWindow() {
    lyricsWindow_.OnOpenSettings = nullptr;
}

bool TMainWindow::Create() {
    WNDCLASSEXA windowClass{};
    windowClass.lpszClassName = kMainFormClassName;
    if (CreateWindowObject(windowClass, WS_EX_TOOLWINDOW, "frmMain", WS_POPUP, 0, 0, 0, 0,
                           applicationWindow_) == nullptr) {
        return false;
    }
    tryMain = std::make_unique<TTrayIcon>(Handle());
    // The icon keeps a copy of the image, at the size the shell asks for at the DPI.
    const int iconSize = SystemMetricAtDpi(SM_CXSMICON, Scale().Dpi());
    const IconHandle icon(static_cast<HICON>(LoadImageA(ProgramInstance(), "MAINICON", IMAGE_ICON,
                                                        iconSize, iconSize, LR_DEFAULTCOLOR)));
    tryMain->SetIcon(icon.Get());
    tryMain->SetTipHelp("Vesk");
    tryMain->SetHideOnTaskBar(true);
    tryMain->SetCheckSingleDoubleClick(true);
    tryMain->SetLButtonPopupMenu(menus_.pupTaskLClick());
    tryMain->SetRButtonPopupMenu(menus_.pupTaskRClick());
    tryMain->OnMouseEnter = [this] { tryMainMouseEnter(); };
    try {
        tryMain->Loaded();
    } catch (const std::exception& error) {
        // Without the icon the lyrics window's menu still reaches the program, and a new
        // task bar ("TaskbarCreated") brings the icon back.
        ReportError(Handle(), error);
    }
    if (closed_) {
        return true;  // ended from outside while the error was shown
    }
    try {
        FormCreate();
    } catch (const std::exception& error) {
        ReportError(Handle(), error);
    }
    return true;
}

void TMainWindow::FormCreate() {
    firstRun_ = CurrentFileSystem().KindOf(iniPath_) != FileSystem::Kind::File;
    // Held by another program at start: the program runs on defaults and writes none of
    // them back at exit.
    settingsUnread_ = ExistsButCannotBeRead(iniPath_);
    LoadLyricsList(listPath_);
    SetSyncCorrectionsPath(SyncCorrectionsPathIn(programFolder_));
    listWatch_ = std::make_unique<TListFileWatch>(listPath_, [this] { return ListFileChanged(); });
    // After the list: loading a list makes it case-sensitive again.
    LoadMainSettings();
    tmrTitleCheckTimer();

    const StartupSettings startup = ReadStartupSettings(iniPath_);
    if (startup.lyricShow) {
        ToggleLyricsWindow();
        if (closed_) {
            return;  // ended from the tray while an error of the window's settings was shown
        }
    }
    if (startup.connectionOn &&
        TitleGet().GetPlayerCaption(Settings().getClassName, Settings().getTitle).empty()) {
        StartPlayer();
    }
    tryMain->SetTipHelp(TrayTipOf(GetVersionText()));
    // A new user starts by telling the program where the player is.
    if (firstRun_) {
        settingForm_->OpenSettingDialog(true);
    }
}

void TMainWindow::FormClose() {
    if (closed_) {
        return;
    }
    closed_ = true;
    // Within half a second, whatever the service does; a result that still comes is dropped.
    if (online_) {
        online_->Stop();
    }
    // The exit's save reads a list file changed outside again itself.
    listWatch_.reset();
    // An open assignment dialog ends as cancelled: nothing of it is stored after this.
    if (FileSelect() != nullptr) {
        FileSelect()->Close();
    }
    if (LyricsList() == nullptr) {
        return;  // closed before start-up read anything: nothing of the user's to write
    }
    if (Settings().closePlayer) {
        ShutdownStep([this] { ClosePlayer(); });
    }
    // Before the lyrics window closes, which would always make it false.
    if (!settingsUnread_) {
        ShutdownStep([this] { WriteLyricShow(iniPath_, lyricsWindow_.LyricsWindowExists()); });
    }
    ShutdownStep([this] { CloseLyricsWindow(); });
    ShutdownStep([this] { settingForm_->CloseSettingDialog(); });
    // Nothing of the editor's rows is stored.
    ShutdownStep([this] { listEditor_.Close(); });
    ShutdownStep([this] { SaveLyricsListAtExit(); });
    ShutdownStep([this] { SaveSyncCorrectionsAtExit(); });
    ShutdownStep([this] { ClearOverlayText(); });
}

template <class Step>
void TMainWindow::ShutdownStep(Step step) {
    try {
        step();
    } catch (const std::exception& error) {
        ReportError(Handle(), error);
    }
}

void TMainWindow::LoadMainSettings() {
    ApplyMainSettings(ReadMainFormSettings(iniPath_));
    SetCheckTime(Settings().checkTime);
    SetPriority(Settings().priority);
}

void TMainWindow::SetCheckTime(std::int32_t milliseconds) {
    // 0 stops the check; a negative interval cannot be kept and stops it too.
    const UINT interval = milliseconds > 0 ? static_cast<UINT>(milliseconds) : 0;
    if (interval == checkTime_) {
        return;  // an unchanged interval leaves the timer running as it was
    }
    checkTime_ = interval;
    if (interval == 0) {
        KillTimer(Handle(), kTitleCheckTimer);
    } else {
        SetTimer(Handle(), kTitleCheckTimer, interval, TitleCheckTimerProc);
    }
}

// The tick goes straight to the check, not through the window procedure, which every message
// of this window reaches through the tray icon's subclass.
void CALLBACK TMainWindow::TitleCheckTimerProc(HWND window, UINT, UINT_PTR, DWORD) {
    auto* form = static_cast<TMainWindow*>(Window::FromHandle(window));
    if (form == nullptr) {
        return;
    }
    try {
        form->tmrTitleCheckTimer();
    } catch (const std::exception& error) {
        // One box at a time: the box's own loop goes on dispatching ticks.
        if (!form->tickErrorShown_) {
            form->tickErrorShown_ = true;
            ReportError(window, error);
            form->tickErrorShown_ = false;
        }
    }
}

void TMainWindow::SetSyncTimer(std::optional<std::int64_t> delayMs) {
    if (!delayMs) {
        KillTimer(Handle(), kSyncTimer);
        syncInterval_ = 0;
        return;
    }
    constexpr std::int64_t kLongestDelay = 24 * 60 * 60 * 1000;
    const auto interval = static_cast<UINT>(std::clamp<std::int64_t>(*delayMs, 1, kLongestDelay));
    // Lines as far apart as the last two: the running timer, which has just fired, fires then
    // again, and the window system is not asked again.
    if (syncTimerFiring_ && syncInterval_ != 0 &&
        std::max(interval, syncInterval_) - std::min(interval, syncInterval_) <= kSyncTimerSlack) {
        return;
    }
    SetTimer(Handle(), kSyncTimer, interval, SyncTimerProc);
    syncInterval_ = interval;
}

void CALLBACK TMainWindow::SyncTimerProc(HWND window, UINT, UINT_PTR, DWORD) {
    auto* form = static_cast<TMainWindow*>(Window::FromHandle(window));
    if (form == nullptr) {
        return;
    }
    try {
        form->syncTimerFiring_ = true;
        form->SyncTimerTick();
        form->syncTimerFiring_ = false;
    } catch (const std::exception& error) {
        form->syncTimerFiring_ = false;
        form->SetSyncTimer(std::nullopt);
        ReportError(window, error);
    }
}

void TMainWindow::ShowListNotSaved(const std::string& path) {
    std::string text = kListNotSaved.Ansi() + path;
    if (LyricsListKeptAsRead()) {
        text += "\r\n" + kListKeptAsRead.Ansi();
    }
    ReportError(Handle(), text);
}

void TMainWindow::ShowOverlayNotWritten(const std::string& path) {
    ReportError(Handle(), kOverlayNotWritten.Ansi() + path);
}

void TMainWindow::StartOnlineSearch(const std::string& serviceAddress, const std::string& title) {
    if (closed_) {
        return;
    }
    if (!online_) {
        online_ = std::make_unique<OnlineSearch>(Handle(), kOnlineResults);
    }
    online_->Search(serviceAddress, title);
}

std::vector<std::string> TMainWindow::DropQueuedOnlineSearches() {
    return online_ ? online_->DropQueued() : std::vector<std::string>();
}

void TMainWindow::TakeOnlineResults() {
    if (!online_) {
        return;
    }
    for (const SearchResult& result : online_->TakeResults()) {
        // After the exit began nothing is saved or shown any more.
        if (closed_) {
            return;
        }
        TakeSearchResult(result);
    }
}

void TMainWindow::ShowSearchReport(const std::string& text, bool problem) {
    MessageBoxA(Handle(), text.c_str(), ApplicationTitle(),
                MB_OK | (problem ? MB_ICONWARNING : MB_ICONINFORMATION));
}

void TMainWindow::SetPriority(std::int32_t priority) {
    if (const auto priorityClass = PriorityClassOf(priority)) {
        SetPriorityClass(GetCurrentProcess(), *priorityClass);
    }
}

std::string TMainWindow::GetVersionText() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    std::vector<char> data(size);
    void* value = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\StringFileInfo\\041103A4\\FileVersion", &value, &length) ||
        value == nullptr) {
        throw AnsiError(kNoVersion.Ansi());
    }
    return std::string(static_cast<const char*>(value));
}

void TMainWindow::ClosePlayer() {
    const HWND player =
        ToHwnd(TitleGet().FindPlayerWindow(Settings().getClassName, Settings().getTitle));
    if (player != nullptr) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(player, WM_CLOSE, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                            kClosePlayerTimeout, &result);
    }
}

void TMainWindow::StartPlayer() {
    RunCommandLine(PlayerCommandLine(Settings().player));
}

void TMainWindow::tryMainMouseEnter() {
    LyricsWindowView view;
    if (const TfrmLyrics* window = lyricsWindow_.frmLyrics()) {
        view = {true, window->BackTransparent(), window->FormPos()};
    }
    menuState_ = TrayMenuStateOnEnter(
        menuState_, view, SongTitle(),
        {Settings().lyricsMasterOn, Settings().pasteSavePath, Settings().notAmazon},
        SyncedSongShown());
    menus_.Apply(menuState_);
}

void TMainWindow::mitOpenTextClick() {
    OpenWithAssociatedProgram(Handle(), LyricsFileOf(SongTitle()));
}

void TMainWindow::mitSettingClick() {
    settingForm_->OpenSettingDialog();
}

void TMainWindow::mitEditListClick() {
    listEditor_.Open();
}

void TMainWindow::mitAmazonClick() {
    ShellExecuteA(nullptr, "open", StoreLink(VESK_STORE_TAG).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void TMainWindow::mitLyricsMasterClick() {
    SearchLyricsMaster(SongTitle());
}

void TMainWindow::mitPasteSaveClick() {
    // The title of the moment the user chose the command: the song may change while the
    // confirmation is open.
    const std::string title = SongTitle();
    const std::string folder = Settings().pasteSavePath;
    if (title == kPlayerNotFound) {
        return;  // no song to give lyrics to
    }
    if (PasteSave().Execute(folder, title)) {
        lyricsWindow_.AssignLyricsFile(title, TPasteSave::PathOf(folder, title));
    }
}

void TMainWindow::mitReadmeClick() {
    ShellExecuteA(Handle(), "Open", std::string(kReadmeFileName).c_str(), nullptr,
                  programFolder_.c_str(), SW_SHOW);
}

void TMainWindow::mitAboutClick() {
    MessageBoxA(Handle(), AboutText(GetVersionText()).c_str(), kInformation.Ansi().c_str(),
                MB_OK | MB_ICONINFORMATION);
}

void TMainWindow::mitExitClick() {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TMainWindow::mitVisibleClick() {
    ToggleLyricsWindow();
}

void TMainWindow::mitReturnDisplayClick() {
    if (TfrmLyrics* window = lyricsWindow_.frmLyrics()) {
        window->ReturnToScreen();
    }
}

void TMainWindow::mitBackTransparentClick() {
    if (TfrmLyrics* window = lyricsWindow_.frmLyrics()) {
        window->ToggleBackTransparent();
    }
}

void TMainWindow::mitTopMostClick() {
    if (TfrmLyrics* window = lyricsWindow_.frmLyrics()) {
        window->ToggleTopMost();
    }
}

void TMainWindow::mitBottomClick() {
    if (TfrmLyrics* window = lyricsWindow_.frmLyrics()) {
        window->ToggleBottom();
    }
}

void TMainWindow::mitSyncEarlierClick() {
    AdjustSyncCorrection(kSyncCorrectionStepMs);
}

void TMainWindow::mitSyncLaterClick() {
    AdjustSyncCorrection(-kSyncCorrectionStepMs);
}

void TMainWindow::OnCommand(UINT item) {
    switch (item) {
        case mitThisLyric:
            mitThisLyricClick();
            break;
        case mitOpenText:
            mitOpenTextClick();
            break;
        case mitSetting:
            mitSettingClick();
            break;
        case mitEditList:
            mitEditListClick();
            break;
        case mitAmazon:
            mitAmazonClick();
            break;
        case mitLyricsMaster:
            mitLyricsMasterClick();
            break;
        case mitPasteSave:
            mitPasteSaveClick();
            break;
        case mitReadme:
            mitReadmeClick();
            break;
        case mitAbout:
            mitAboutClick();
            break;
        case mitExit:
            mitExitClick();
            break;
        case mitSearchOnline:
            mitSearchOnlineClick();
            break;
        case mitVisible:
            mitVisibleClick();
            break;
        case mitReturnDisplay:
            mitReturnDisplayClick();
            break;
        case mitBackTransparent:
            mitBackTransparentClick();
            break;
        case mitTopMost:
            mitTopMostClick();
            break;
        case mitBottom:
            mitBottomClick();
            break;
        case mitSyncEarlier:
            mitSyncEarlierClick();
            break;
        case mitSyncLater:
            mitSyncLaterClick();
            break;
        default:
            break;
    }
}

LRESULT TMainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == 0) {
                OnCommand(LOWORD(wParam));
                return 0;
            }
            break;
        case WM_CLOSE:
            FormClose();
            if (tryMain != nullptr && tryMain->MenuOpen()) {
                // Sent while an icon menu runs, whose code is below on the stack: the menu
                // ends, and the icon goes with this object.
                EndMenu();
            } else {
                tryMain.reset();
            }
            DestroyWindow(Handle());
            return 0;
        case kOnlineResults:
            TakeOnlineResults();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // Windows ends the process after this: save now.
            if (wParam) {
                FormClose();
            }
            return 0;
        case WM_DESTROY:
            KillTimer(Handle(), kTitleCheckTimer);
            KillTimer(Handle(), kSyncTimer);
            syncInterval_ = 0;
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace vesk
