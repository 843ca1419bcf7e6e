#pragma once

// TfrmLyricsList, the lyrics list editor: the whole lyrics list, one row per entry, sorted
// by a click on a column, rows made and edited through the assignment dialog, deleted,
// cleaned of repeated titles and missing files, imported from and exported to list files,
// and filled by dropping lyrics files and folders. It works on a copy of the list (its
// rows, LyricsRows); only OK hands them back to the program (LyricsListOwner).
//
// The program keeps at most one editor (SingleWindow); it is modeless and destroys itself
// when it closes, in whatever way. The list view asks the editor for the texts of the rows
// it shows (owner data), so a list of a hundred thousand rows opens at once.

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/Dialog.h"
#include "common/win32/ToolTips.h"
#include "common/win32/WinHandles.h"
#include "editing/LyricsListOwner.h"
#include "editing/LyricsListRules.h"
#include "editing/LyricsRows.h"
#include "editing/win32/LyricsListFormRes.h"
#include "lyrics/untTLyricsList.h"

namespace vesk {

class TfrmLyricsList final : public Dialog {
public:
    // Sizes in pixels at 96 DPI: the least width the user can drag the window to, and the
    // least height, which keeps a few rows in view; the size it opens at (client area).
    static constexpr int kMinWidth = 150;
    static constexpr int kMinHeight = 150;
    static constexpr int kClientWidth = 520;
    static constexpr int kClientHeight = 320;
    static constexpr int kImageButtonSize = 24;
    static constexpr std::size_t kImageButtonCount = 6;

    // owner outlives the object.
    explicit TfrmLyricsList(LyricsListOwner& owner);
    ~TfrmLyricsList() override;

    // Makes the window, hidden, owned by ownerWindow; Show() shows it. false when it
    // cannot be made.
    bool Create(HWND ownerWindow);
    // Appends the entries of a lyrics list to the rows (AddToListView).
    void AddToListView(const TLyricsList& list);
    // Closes the window without storing anything. While the assignment dialog that the
    // editor opened is shown, the editor closes as soon as that dialog has ended.
    void Close();

    const LyricsRows& Rows() const { return rows_; }
    const SortFlags& SortState() const { return sortFlags_; }
    // The selected rows, top to bottom; the current row is the first of them.
    std::vector<std::size_t> SelectedRows() const;
    std::optional<std::size_t> CurrentRow() const;
    // Selects exactly these rows (each < the number of rows); the first becomes the focus.
    void SelectRows(const std::vector<std::size_t>& rows);

    // The commands, as the buttons, the menu and the list view run them.
    void bbnOKClick();
    void bbnCancelClick();
    void bbnNewClick();
    void bbnEditClick();
    void bbnDeleteClick();
    void bbnAllDeleteClick();
    void bbnRepeatTitleDeleteClick();
    void bbnFileNotExistsDeleteClick();
    void mitIncludeClick();
    void mitExcludeClick();
    void mitCloseClick();
    void lvwLyricsListColumnClick(int column);
    void lvwLyricsListDblClick();
    void lvwLyricsListKeyDown(WORD key);
    // What dropping a folder and a lyrics file do.
    void AddFolder(const std::string& folder);
    void AddFile(const std::string& path);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnOK() override { bbnOKClick(); }
    void OnCancel() override { bbnCancelClick(); }
    void OnDestroyed() override;
    void OnDpiChanged(const DpiScale& old) override;

private:
    HWND ListView() const { return Item(IDC_LL_LIST); }
    void FormShow();
    void MakeColumns();
    void MakeImageButtons();
    // The buttons' images at the window's DPI.
    void DrawImages();
    // The list view learns the number of rows after a change and draws them anew. Its
    // selection is left on the same row numbers: a change that moves or removes rows
    // selects again afterwards (SelectRows, RowsRemoved).
    void RowsChanged();
    // After rows were removed: the selected rows that remain stay selected.
    void RowsRemoved(const std::vector<std::size_t>& removed);
    void GetDisplayInfo(NMLVDISPINFOA& info) const;
    int FindItem(const NMLVFINDITEMA& find) const;
    std::optional<LyricsEntryFields> EditEntry(const LyricsEntryFields& entry);
    std::optional<std::string> AskListFile(bool save);
    void OnDropFiles(HDROP drop);

    LyricsListOwner& owner_;
    LyricsRows rows_;
    SortFlags sortFlags_{};
    std::array<BitmapHandle, kImageButtonCount> images_;
    ToolTips tips_;
    bool editing_ = false;       // the assignment dialog is open from this window
    bool closePending_ = false;  // Close came meanwhile
};

}  // namespace vesk
