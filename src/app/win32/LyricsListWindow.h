#pragma once

// The program-wide reference to the lyrics list editor (frmLyricsList): empty while no
// editor exists, set when the tray command makes one, emptied by the editor itself when it
// is destroyed. It gives the editor what it asks of the main form: the main lyrics list
// with its guarded save, and the assignment dialog.

#include <windows.h>

#include "app/untMain.h"
#include "common/win32/SingleWindow.h"
#include "editing/win32/untLyricsListForm.h"

namespace vesk {

class TLyricsListWindow final : private LyricsListOwner {
public:
    // main outlives the object; the editor belongs to ownerWindow.
    TLyricsListWindow(TfrmMain& main, HWND ownerWindow);
    ~TLyricsListWindow() override;
    TLyricsListWindow(const TLyricsListWindow&) = delete;
    TLyricsListWindow& operator=(const TLyricsListWindow&) = delete;

    // mitEditListClick: the assignment dialog ends as cancelled if it is open; an editor
    // that does not exist yet is made and filled from the main list, one that exists keeps
    // its rows; it is shown, not modally.
    void Open();
    // Closes the editor, if it exists, without storing its rows.
    void Close();

    // The editor while it exists, else nullptr.
    TfrmLyricsList* frmLyricsList() const { return window_.Get(); }

private:
    // Asks before replacing a list file that another program changed since the editor was
    // filled.
    bool StoreRows(const ListViewRows& rows) override;
    FileSelectDialog* FileSelect() const override { return main_.FileSelect(); }

    TfrmMain& main_;
    HWND ownerWindow_;
    SingleWindow<TfrmLyricsList> window_;
    // What the main list had last read or written of its file when the editor was filled.
    ListFileStamp filledFrom_;
};

}  // namespace vesk
