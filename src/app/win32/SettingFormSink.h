#pragma once

// The program-wide references to the settings dialog and to the window class search dialog
// it opens, and what the settings dialog asks of the rest of the program
// (SettingFormOwner): the main form's settings and title check, the lyrics window's state
// and reload, the preview made of the display code's shadow label, and the class search.
// Every opener (the tray's "設定(&S)", the lyrics window's, the first start) goes through
// OpenSettingDialog.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "common/win32/SingleWindow.h"
#include "settings/win32/SettingFormOwner.h"
#include "settings/win32/untSettingForm.h"
#include "winsearch/win32/untClassSearchForm.h"

namespace vesk {

class TMainWindow;
class TLyricsWindowSink;

class TSettingFormSink final : private SettingFormOwner {
public:
    // The dialog is owned by applicationWindow; main and lyricsWindow outlive this object.
    TSettingFormSink(TMainWindow& main, TLyricsWindowSink& lyricsWindow, HWND applicationWindow);
    ~TSettingFormSink() override;
    TSettingFormSink(const TSettingFormSink&) = delete;
    TSettingFormSink& operator=(const TSettingFormSink&) = delete;

    // Creates the dialog if it does not exist and shows it in front; an existing dialog is
    // not loaded again. With titlePage (the first start) it then turns to
    // "タイトル取得(&T)". An error met while loading is shown once the dialog is in place.
    void OpenSettingDialog(bool titlePage = false);
    // Closes the dialog, if it exists, without writing anything (the program's exit).
    void CloseSettingDialog();

    // The dialog while it exists, else nullptr.
    TfrmSetting* frmSetting() const { return window_.Get(); }
    // The class search dialog while it exists, else nullptr.
    TfrmClassSearch* frmClassSearch() const { return classSearch_.Get(); }

    // What the class search's OK does with the chosen class name: the settings dialog's
    // class field takes it, if the settings dialog still exists; else nothing.
    void TakeClassName(const std::string& className);

private:
    std::unique_ptr<SettingPreview> CreatePreview(HWND parent, const RECT& bounds) override;
    std::optional<OpenLyricsWindow> LyricsWindow() const override;
    void LoadMainSettings() override;
    void CheckTitle() override;
    void ReloadLyricsWindow() override;
    void OpenClassSearch() override;
    void CloseClassSearch() override;

    TMainWindow& main_;
    TLyricsWindowSink& lyricsWindow_;
    HWND applicationWindow_;
    SingleWindow<TfrmSetting> window_;
    // After window_: it goes first, as it closes before the settings dialog.
    SingleWindow<TfrmClassSearch> classSearch_;
};

}  // namespace vesk
