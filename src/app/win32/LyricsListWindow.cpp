#include "app/win32/LyricsListWindow.h"

#include <memory>

#include "common/ProgramText.h"
#include "common/win32/ErrorReport.h"

namespace vesk {

namespace {

constexpr ProgramText kChangedOutside{
    "歌詞リストは他のプログラムで変更されています。上書きしますか？"};

}  // namespace

TLyricsListWindow::TLyricsListWindow(TfrmMain& main, HWND ownerWindow)
    : main_(main), ownerWindow_(ownerWindow) {}

TLyricsListWindow::~TLyricsListWindow() = default;

void TLyricsListWindow::Open() {
    if (FileSelectDialog* dialog = main_.FileSelect(); dialog != nullptr && dialog->Showing()) {
        dialog->Close();
    }
    if (!window_) {
        LyricsListOwner& owner = *this;
        auto window = std::make_unique<TfrmLyricsList>(owner);
        if (!window->Create(ownerWindow_)) {
            return;
        }
        TfrmLyricsList& editor = window_.Set(std::move(window));
        if (const TLyricsList* list = main_.LyricsList()) {
            editor.AddToListView(*list);
        }
        filledFrom_ = main_.LyricsListStamp();
    }
    window_->Show();
}

void TLyricsListWindow::Close() {
    if (window_) {
        window_->Close();
    }
}

bool TLyricsListWindow::StoreRows(const ListViewRows& rows) {
    if (main_.LyricsListChangedSince(filledFrom_) &&
        MessageBoxA(window_ ? window_->Handle() : ownerWindow_, kChangedOutside.Ansi().c_str(),
                    ApplicationTitle(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return false;
    }
    main_.ReplaceLyricsRows(rows);
    return true;
}

}  // namespace vesk
