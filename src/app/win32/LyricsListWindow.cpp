#include "app/win32/LyricsListWindow.h"

#include <memory>

namespace vesk {

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
    }
    window_->Show();
}

void TLyricsListWindow::Close() {
    if (window_) {
        window_->Close();
    }
}

void TLyricsListWindow::StoreRows(const ListViewRows& rows) {
    main_.ReplaceLyricsRows(rows);
}

}  // namespace vesk
