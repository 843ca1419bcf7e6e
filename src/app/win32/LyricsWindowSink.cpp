#include "app/win32/LyricsWindowSink.h"

#include <utility>

#include "common/SongTitle.h"
#include "common/win32/ErrorReport.h"

namespace vesk {

TLyricsWindowSink::TLyricsWindowSink(std::string iniPath, const TPasteSave& pasteSave)
    : iniPath_(std::move(iniPath)), pasteSave_(pasteSave) {}

TLyricsWindowSink::~TLyricsWindowSink() = default;

void TLyricsWindowSink::ShowLyrics(const std::string& text) {
    if (window_) {
        window_->ShowLyrics(text);
    }
}

void TLyricsWindowSink::CreateLyricsWindow() {
    if (window_) {
        return;
    }
    LyricsFormOwner& owner = *this;
    auto window = std::make_unique<TfrmLyrics>(owner, iniPath_);
    if (!window->Create()) {
        return;
    }
    window_.Set(std::move(window));
    // Shown once the reference is set: while the box is open the tray menus still work,
    // and they must find this window, not make a second one.
    if (const std::exception_ptr error = window_->TakeSettingsError()) {
        const HWND handle = window_->Handle();
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            ReportError(handle, e);  // the window may be gone when this returns
        }
    }
}

void TLyricsWindowSink::ShowLyricsWindow() {
    if (window_) {
        window_->Show();
    }
}

void TLyricsWindowSink::CloseLyricsWindow() {
    if (window_) {
        window_->Close();
    }
}

void TLyricsWindowSink::AssignLyricsFile(const std::string& path) {
    AssignLyricsFile(SongTitle(), path);
}

void TLyricsWindowSink::AssignLyricsFile(const std::string& title, const std::string& path) {
    // No player, no song: nothing to give lyrics to.
    if (main_ == nullptr || main_->LyricsList == nullptr || title == kPlayerNotFound) {
        return;
    }
    TLyricsList& list = *main_->LyricsList;
    const std::int32_t index = list.IndexOf(title);
    if (index == -1) {
        list.Add(title, path, 0, 0);
    } else {
        list.Update(index, title, path, 0, 0);
    }
    // Through the main form, which never replaces a list file it could not read; it may
    // take that file's entries in, so the text shown comes from the list it keeps.
    main_->SaveLyricsList();
    main_->RefreshLyrics();
}

std::string TLyricsWindowSink::SongTitle() const {
    return main_ != nullptr ? main_->SongTitle : std::string();
}

std::string TLyricsWindowSink::PasteSavePath() const {
    return main_ != nullptr ? main_->Settings.pasteSavePath : std::string();
}

std::string TLyricsWindowSink::LyricsFileOf(const std::string& title) const {
    return main_ != nullptr ? main_->LyricsFileOf(title) : std::string();
}

void TLyricsWindowSink::RefreshLyrics() {
    if (main_ != nullptr) {
        main_->RefreshLyrics();
    }
}

void TLyricsWindowSink::OpenSettings() {
    if (OnOpenSettings) {
        OnOpenSettings();
    }
}

}  // namespace vesk
