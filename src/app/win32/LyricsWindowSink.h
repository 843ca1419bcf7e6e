#pragma once

// The program-wide reference to the lyrics window: empty while no lyrics window exists,
// set when the main form creates one, emptied by the window itself when it is destroyed.
// It is the main form's lyrics sink, and what the window reads of the main form goes
// through it. Other parts reach the window through frmLyrics().
//
//   TLyricsWindowSink lyricsWindow(iniPath);
//   TfrmMain main(TitleGet(), lyricsWindow, runCommand);
//   lyricsWindow.AttachMainForm(main);
//   main.ToggleLyricsWindow();

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "app/untMain.h"
#include "common/win32/SingleWindow.h"
#include "display/win32/untLyricsForm.h"
#include "editing/untPasteSave.h"

namespace vesk {

class TLyricsWindowSink final : public LyricsSink, private LyricsFormOwner {
public:
    // iniPath: the settings file (Vesk.ini) in the program's folder. pasteSave saves the
    // clipboard's lyrics.
    explicit TLyricsWindowSink(std::string iniPath, const TPasteSave& pasteSave = PasteSave());
    ~TLyricsWindowSink() override;
    TLyricsWindowSink(const TLyricsWindowSink&) = delete;
    TLyricsWindowSink& operator=(const TLyricsWindowSink&) = delete;

    // The main form whose song title, lyrics list and paste folder the window uses; set
    // before the first window is created.
    void AttachMainForm(TfrmMain& main) { main_ = &main; }

    bool LyricsWindowExists() const override { return static_cast<bool>(window_); }
    void ShowLyrics(const std::string& text) override;
    void ShowSyncedLyrics(const std::string& text, std::size_t litBegin, std::size_t litEnd,
                          Color litColor, bool newText) override;
    void CreateLyricsWindow() override;
    void ShowLyricsWindow() override;
    void CloseLyricsWindow() override;

    // The lyrics window while it exists, else nullptr.
    TfrmLyrics* frmLyrics() const { return window_.Get(); }

    // AssignLyricsFile: makes path the lyrics file of the current song (whole file), shows
    // the new text if the window is open and saves the lyrics list. Needs no window.
    void AssignLyricsFile(const std::string& path);
    // The same for a title taken earlier (a paste assignment's, whose confirmation box let
    // the song change meanwhile).
    void AssignLyricsFile(const std::string& title, const std::string& path) override;

    // Opens the settings dialog (the window's "設定(&S)"); nothing when unset.
    std::function<void()> OnOpenSettings;

private:
    std::string SongTitle() const override;
    std::string PasteSavePath() const override;
    std::string LyricsFileOf(const std::string& title) const override;
    const TPasteSave& PasteSaver() const override { return pasteSave_; }
    void RefreshLyrics() override;
    void OpenSettings() override;
    void ShiftSyncedLyrics(bool earlier) override;

    std::string iniPath_;
    const TPasteSave& pasteSave_;
    TfrmMain* main_ = nullptr;
    SingleWindow<TfrmLyrics> window_;
};

}  // namespace vesk
