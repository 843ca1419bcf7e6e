#include "app/win32/SettingFormSink.h"

#include <exception>

#include "app/win32/LyricsWindowSink.h"
#include "app/win32/MainWindow.h"
#include "common/win32/ErrorReport.h"
#include "display/win32/LyricsPreview.h"

namespace vesk {

TSettingFormSink::TSettingFormSink(TMainWindow& main, TLyricsWindowSink& lyricsWindow,
                                   HWND applicationWindow)
    : main_(main), lyricsWindow_(lyricsWindow), applicationWindow_(applicationWindow) {}

TSettingFormSink::~TSettingFormSink() = default;

void TSettingFormSink::OpenSettingDialog(bool titlePage) {
    std::exception_ptr loadError;
    if (!window_) {
        SettingFormOwner& owner = *this;
        auto dialog = std::make_unique<TfrmSetting>(owner, main_.IniPath());
        if (!dialog->CreateModeless(applicationWindow_)) {
            return;
        }
        window_.Set(std::move(dialog));
        loadError = window_->TakeLoadError();
    }
    window_->Show();
    if (titlePage) {
        window_->SetActivePage(TfrmSetting::tabTitleGet);
    }
    // Shown once the reference is set: while the box is open the menus still work, and
    // they must find this dialog, not make a second one. It may be gone when this returns.
    ReportError(window_->Handle(), loadError);
}

void TSettingFormSink::CloseSettingDialog() {
    if (window_) {
        window_->bbnCancelClick();
    }
}

std::unique_ptr<SettingPreview> TSettingFormSink::CreatePreview(HWND parent, const RECT& bounds) {
    auto preview = std::make_unique<TLyricsPreview>();
    if (!preview->Create(parent, bounds)) {
        return nullptr;
    }
    return preview;
}

std::optional<SettingFormOwner::OpenLyricsWindow> TSettingFormSink::LyricsWindow() const {
    const TfrmLyrics* window = lyricsWindow_.frmLyrics();
    if (window == nullptr) {
        return std::nullopt;
    }
    return OpenLyricsWindow{window->State(), window->KeysRead()};
}

void TSettingFormSink::LoadMainSettings() {
    main_.LoadMainSettings();
}

void TSettingFormSink::CheckTitle() {
    main_.tmrTitleCheckTimer();
}

void TSettingFormSink::TakeClassName(const std::string& className) {
    if (window_) {
        window_->TakeClassName(className);
    }
}

// Owned by the settings dialog, so that it stays in front of it.
void TSettingFormSink::OpenClassSearch() {
    if (!window_) {
        return;
    }
    if (!classSearch_) {
        auto dialog = std::make_unique<TfrmClassSearch>(
            [this](const std::string& className) { TakeClassName(className); });
        if (!dialog->CreateModeless(window_->Handle())) {
            return;
        }
        classSearch_.Set(std::move(dialog));
    }
    classSearch_->Show();
}

void TSettingFormSink::CloseClassSearch() {
    if (classSearch_) {
        classSearch_->bbnCancelClick();
    }
}

void TSettingFormSink::ReloadLyricsWindow() {
    if (TfrmLyrics* window = lyricsWindow_.frmLyrics()) {
        window->LoadSettings();
        window->FitToText();
    }
}

}  // namespace vesk
