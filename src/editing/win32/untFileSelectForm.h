#pragma once

// TfrmFileSelect, the lyrics file assignment dialog: one lyrics entry (title, lyrics file,
// range of lines) with a numbered preview of the lines the range selects. The program makes
// one object at start-up and keeps it for the whole run; each ShowModal makes the window
// anew from the template, and the object keeps the four values between uses.
//
// Calling protocol, as every caller uses it (Edit does all four steps):
//
//   frmFileSelect.SetTitleText(title);
//   frmFileSelect.SetLyricsFileText(path);
//   frmFileSelect.SetStartLine(start);
//   frmFileSelect.SetEndLine(end);
//   frmFileSelect.UpdatePreview();              // setting the numbers does not
//   if (frmFileSelect.ShowModal() == IDOK) {
//       Store(frmFileSelect.TitleText(), frmFileSelect.LyricsFileText(),
//             frmFileSelect.StartLine(), frmFileSelect.EndLine());
//   }
//
// The dialog checks nothing: OK takes any title, path and pair of numbers. While it is
// open it stays above every other window, also those of other programs.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/win32/Dialog.h"
#include "common/win32/UpDownPair.h"
#include "common/win32/WinHandles.h"
#include "editing/FileSelectRules.h"
#include "editing/win32/FileSelectFormRes.h"

namespace vesk {

class TfrmFileSelect final : public Dialog, public FileSelectDialog {
public:
    // The window's smallest size, in pixels at 96 DPI; it opens at this size the first time.
    static constexpr int kMinWidth = 395;
    static constexpr int kMinHeight = 323;
    // Widths of ledTitle with and without the lyrics search button beside it, in pixels at
    // 96 DPI.
    static constexpr int kTitleWidthBesideSearch = 153;
    static constexpr int kTitleWidthAlone = 225;

    // owner: the program, read when the dialog opens; ownerWindow: the window the dialog
    // belongs to (disabled while it is open). Both outlive the object.
    TfrmFileSelect(FileSelectOwner& owner, HWND ownerWindow);
    ~TfrmFileSelect() override;

    void SetTitleText(std::string_view title);
    const std::string& TitleText() const { return fields_.title; }
    // Refreshes the preview, as an edit of the field does.
    void SetLyricsFileText(std::string_view path);
    const std::string& LyricsFileText() const { return fields_.fileName; }
    // The line numbers. A number outside the fields' range is shown at the nearer end and
    // kept as it is until the user changes that field.
    void SetStartLine(std::int32_t line);
    std::int32_t StartLine() const { return fields_.startLine; }
    void SetEndLine(std::int32_t line);
    std::int32_t EndLine() const { return fields_.endLine; }

    // Makes the preview of the lyrics file for the current numbers.
    void UpdatePreview();
    const std::string& Preview() const { return preview_; }

    // Shows the dialog modally over the owner window: IDOK or IDCANCEL.
    INT_PTR ShowModal();

    // FileSelectDialog.
    bool Showing() const override { return Handle() != nullptr; }
    std::optional<LyricsEntryFields> Edit(const LyricsEntryFields& entry) override;
    void Close() override;

    // Puts the open dialog at the top of the topmost windows, where it stays while the user
    // works in another program.
    void KeepOnTop();

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnScroll(int controlId, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnDestroyed() override;

private:
    void SetOwnText(int id, std::string_view text);
    void FormShow();
    void LayOut(int titleWidth);
    void PlaceWindow();
    void ledLyricsFileChange();
    void udnStartLineClick(int controlId);
    void btnFileOpenClick();
    void btnLyricsMasterClick();
    void btnPasteSaveClick();
    void OnDropFiles(HDROP drop);

    FileSelectOwner& owner_;
    HWND ownerWindow_;
    LyricsEntryFields fields_;
    std::string preview_;
    bool settingText_ = false;  // the dialog sets a field itself: no edit of the user's
    UpDownPair udnStartLine{IDC_FS_START_UPDOWN};
    UpDownPair udnEndLine{IDC_FS_END_UPDOWN};
    FontHandle previewFont_;
    // Where the user left the window when it last closed.
    std::optional<RECT> lastBounds_;
};

}  // namespace vesk
