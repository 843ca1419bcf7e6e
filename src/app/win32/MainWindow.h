#pragma once

// TMainWindow, the main form with its window: TfrmMain (untMain.h, the windowless state and
// the title check) plus a window that is never shown. It owns the title-check timer, the
// notification-area icon tryMain with its two menus, and the commands of those menus.
// Closing it ends the program.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/TrayMenuState.h"
#include "app/untMain.h"
#include "app/win32/ListFileWatch.h"
#include "app/win32/LyricsListWindow.h"
#include "app/win32/OnlineSearch.h"
#include "app/win32/TrayMenus.h"
#include "common/win32/Window.h"
#include "shell/win32/Taskbar.h"

namespace vesk {

class TLyricsWindowSink;
class TSettingFormSink;

class TMainWindow final : public TfrmMain, public Window {
public:
    // programFolder ends with a separator; Vesk.ini and Vesk.csv are taken from there.
    // lyricsWindow must outlive the form.
    TMainWindow(HWND applicationWindow, std::string programFolder, TLyricsWindowSink& lyricsWindow);
    ~TMainWindow() override;

    // Creates the window and the icon, then runs FormCreate. false when the window cannot
    // be made.
    bool Create();

    void FormCreate();
    // Runs once, at the first close (or when Windows ends the session).
    void FormClose();
    void LoadMainSettings();
    void SetPriority(std::int32_t priority);
    static std::string GetVersionText();
    void ClosePlayer();

    void tryMainMouseEnter();
    void mitOpenTextClick();
    void mitSettingClick();
    void mitEditListClick();
    void mitAmazonClick();
    void mitLyricsMasterClick();
    void mitPasteSaveClick();
    void mitReadmeClick();
    void mitAboutClick();
    void mitExitClick();
    void mitVisibleClick();
    void mitReturnDisplayClick();
    void mitBackTransparentClick();
    void mitTopMostClick();
    void mitBottomClick();
    // "歌詞を0.5秒早く(&F)", "歌詞を0.5秒遅く(&B)": the synced song shown, corrected.
    void mitSyncEarlierClick();
    void mitSyncLaterClick();

    // The lyrics list editor's reference.
    TLyricsListWindow& ListEditor() { return listEditor_; }

    const std::string& IniPath() const { return iniPath_; }
    const std::string& ListPath() const { return listPath_; }
    bool FirstRun() const { return firstRun_; }
    // The settings dialog's reference.
    TSettingFormSink& SettingForm() const { return *settingForm_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowListNotSaved(const std::string& path) override;
    void ShowOverlayNotWritten(const std::string& path) override;
    void StartOnlineSearch(const std::string& serviceAddress, const std::string& title) override;
    std::vector<std::string> DropQueuedOnlineSearches() override;
    void ShowSearchReport(const std::string& text, bool problem) override;
    void SetSyncTimer(std::optional<std::int64_t> delayMs) override;

private:
    static void CALLBACK TitleCheckTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
    static void CALLBACK SyncTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
    void SetCheckTime(std::int32_t milliseconds);
    void StartPlayer();
    void OnCommand(UINT item);
    // The results of the online searches, handed over by kOnlineResults.
    void TakeOnlineResults();
    // Runs one step of the shutdown; an error is shown and the shutdown goes on, so that
    // an unwritable settings file never costs the lyrics list.
    template <class Step>
    void ShutdownStep(Step step);

    HWND applicationWindow_;
    std::string programFolder_;
    std::string iniPath_;
    std::string listPath_;
    TLyricsWindowSink& lyricsWindow_;
    std::unique_ptr<TSettingFormSink> settingForm_;
    TLyricsListWindow listEditor_;
    // From start-up to the exit: the list file's changes by other programs.
    std::unique_ptr<TListFileWatch> listWatch_;
    bool firstRun_ = false;
    bool settingsUnread_ = false;
    bool closed_ = false;
    bool tickErrorShown_ = false;
    UINT checkTime_ = 0;     // the running timer's interval; 0 when it is stopped
    UINT syncInterval_ = 0;  // the sync timer's, likewise
    bool syncTimerFiring_ = false;
    TrayMenus menus_;
    TrayMenuState menuState_;
    std::unique_ptr<TTrayIcon> tryMain;
    // Made at the first search; stopped first thing at the exit.
    std::unique_ptr<OnlineSearch> online_;
};

}  // namespace vesk
