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

void TLyricsWindowSink::ShowSyncedLyrics(const std::string& text, std::size_t litBegin,
                                         std::size_t litEnd, Color litColor, bool newText) {
    if (window_) {
        window_->ShowSyncedLines(text, {litBegin, litEnd}, litColor, newText);
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
    // and they must find this window, not make a second one. It may be gone when this
    // returns.
    ReportError(window_->Handle(), window_->TakeSettingsError());
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
    if (main_ != nullptr && title != kPlayerNotFound) {
        main_->AssignLyrics({title, path, 0, 0});
    }
}

std::string TLyricsWindowSink::SongTitle() const {
    return main_ != nullptr ? main_->SongTitle() : std::string();
}

std::string TLyricsWindowSink::PasteSavePath() const {
    return main_ != nullptr ? main_->Settings().pasteSavePath : std::string();
}

std::string TLyricsWindowSink::LyricsFileOf(const std::string& title) const {
    return main_ != nullptr ? main_->LyricsFileOf(title) : std::string();
}

void TLyricsWindowSink::RefreshLyrics() {
    if (main_ != nullptr) {
        main_->RefreshLyrics();
    }
}

void TLyricsWindowSink::ShiftSyncedLyrics(bool earlier) {
    if (main_ != nullptr) {
        main_->AdjustSyncCorrection(earlier ? kSyncCorrectionStepMs : -kSyncCorrectionStepMs);
    }
}

void TLyricsWindowSink::OpenSettings() {
    if (OnOpenSettings) {
        OnOpenSettings();
    }
}

}  // namespace vesk
