#pragma once

// TfrmClassSearch, "クラスの検索": lists the desktop's top-level windows with their handle,
// class name and caption, so that the user finds the player by its caption and takes its
// class name over into the settings with one click (OK or a double click on the row). A
// resizable tool window; it searches each time it is shown and on "再検索(&S)".
//
// It is modeless and exists at most once: the settings dialog's owner keeps it in a
// program-wide reference (SingleWindow) that its destruction empties, and closes it when the
// settings dialog closes. What OK takes over goes to the callback it was made with, so that
// this layer needs nothing of the settings dialog.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "common/win32/Dialog.h"

namespace vesk {

class TfrmClassSearch final : public Dialog {
public:
    // The window's size when it opens, in pixels at 96 DPI; it cannot be made smaller.
    static constexpr int kWidth = 388;
    static constexpr int kHeight = 252;

    // takeOver gets the class name OK takes over; it decides whether there is still a
    // settings dialog to put it in.
    explicit TfrmClassSearch(std::function<void(const std::string&)> takeOver);
    ~TfrmClassSearch() override;

    // Each time the dialog is shown: the search.
    void FormShow() { btnSearchClick(); }
    // "再検索(&S)": the list anew, of the windows "もっと詳しく検索(&M)" asks for now.
    void btnSearchClick();
    // OK: the selected row's class name, if a row is selected, to the callback; then the
    // dialog closes in every case.
    void bbnOKClick();
    // A double click on a row: as OK.
    void lvwClassNameDblClick() { bbnOKClick(); }
    // キャンセル (also Esc and the close box): closes.
    void bbnCancelClick() { End(IDCANCEL); }

    // The class name of the selected row; nullopt when no row is selected.
    std::optional<std::string> SelectedClassName() const;

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnOK() override { bbnOKClick(); }
    void OnCancel() override { bbnCancelClick(); }

private:
    void LayOut();

    std::function<void(const std::string&)> takeOver_;
};

}  // namespace vesk
