#include "editing/win32/untFileSelectForm.h"

#include <algorithm>
#include <utility>

#include "common/FileSystem.h"
#include "common/ProgramText.h"
#include "common/win32/DroppedFiles.h"
#include "common/win32/FileDialogs.h"
#include "editing/untPasteSave.h"
#include "editing/win32/Win32PasteUi.h"

namespace vesk {

namespace {

constexpr ProgramText kPreviewFontFace{"ＭＳ ゴシック"};
constexpr int kPreviewFontPoints = 9;
constexpr ProgramText kAllFilesFilter{"全てのファイル(*.*)|*.*"};
// The file-open dialog's buffer: long paths whole.
constexpr std::size_t kOpenPathChars = 32768;

// The preview grows with the window, the file field with its width; the buttons at the
// bottom keep to their corners. The rest stays where LayOut puts it.
constexpr DialogAnchor kAnchors[] = {
    {IDC_FS_FILE, kAnchorsTopWide}, {IDC_FS_FILE_OPEN, akRight | akTop},
    {IDC_FS_PREVIEW, kAnchorsAll},  {IDC_FS_PASTE_SAVE, kAnchorsBottomLeft},
    {IDOK, kAnchorsBottomRight},    {IDCANCEL, kAnchorsBottomRight},
};

}  // namespace

TfrmFileSelect::TfrmFileSelect(FileSelectOwner& owner, HWND ownerWindow)
    : Dialog(IDD_FILE_SELECT), owner_(owner), ownerWindow_(ownerWindow) {}

TfrmFileSelect::~TfrmFileSelect() = default;

void TfrmFileSelect::SetTitleText(std::string_view title) {
    fields_.title = title;
    if (Showing()) {
        SetOwnText(IDC_FS_TITLE, title);
    }
}

void TfrmFileSelect::SetLyricsFileText(std::string_view path) {
    fields_.fileName = path;
    if (Showing()) {
        SetOwnText(IDC_FS_FILE, path);
    }
    UpdatePreview();
}

void TfrmFileSelect::SetStartLine(std::int32_t line) {
    fields_.startLine = line;
    if (Showing()) {
        udnStartLine.SetPosition(LineFieldPosition(line));
    }
}

void TfrmFileSelect::SetEndLine(std::int32_t line) {
    fields_.endLine = line;
    if (Showing()) {
        udnEndLine.SetPosition(LineFieldPosition(line));
    }
}

// The numbers as kept, not as shown: the preview shows what the lyrics window will show.
void TfrmFileSelect::UpdatePreview() {
    preview_ = PreviewText(fields_.fileName, fields_.startLine, fields_.endLine);
    if (Showing()) {
        SetItemText(IDC_FS_PREVIEW, preview_);
    }
}

// The bytes kept are the ones given, even those an edit control cannot hold as they are (a
// title cut in the middle of a double-byte character): only the user's edits replace them.
void TfrmFileSelect::SetOwnText(int id, std::string_view text) {
    settingText_ = true;
    SetItemText(id, text);
    settingText_ = false;
}

INT_PTR TfrmFileSelect::ShowModal() {
    return Dialog::ShowModal(ownerWindow_);
}

std::optional<LyricsEntryFields> TfrmFileSelect::Edit(const LyricsEntryFields& entry) {
    if (Showing()) {
        return std::nullopt;  // one dialog at a time
    }
    fields_ = entry;
    UpdatePreview();
    if (ShowModal() != IDOK) {
        return std::nullopt;
    }
    return fields_;
}

void TfrmFileSelect::Close() {
    End(IDCANCEL);
}

void TfrmFileSelect::KeepOnTop() {
    if (Showing()) {
        // Not activated: the user has just turned to another program.
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

bool TfrmFileSelect::OnInit() {
    const HWND preview = Item(IDC_FS_PREVIEW);
    previewFont_.Reset(CreateFontA(-MulDiv(kPreviewFontPoints, Scale().Dpi(), 72), 0, 0, 0,
                                   FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   FIXED_PITCH | FF_MODERN, kPreviewFontFace.Ansi().c_str()));
    SendMessageA(preview, WM_SETFONT, reinterpret_cast<WPARAM>(previewFont_.Get()), FALSE);
    // No limit but the system's: a lyrics file of 64 KB with its numbers is larger than
    // the default.
    SendMessageA(preview, EM_SETLIMITTEXT, 0, 0);

    udnStartLine.Attach(Handle(), kLineFieldMin, kLineFieldMax);
    udnEndLine.Attach(Handle(), kLineFieldMin, kLineFieldMax);
    udnStartLine.SetPosition(LineFieldPosition(fields_.startLine));
    udnEndLine.SetPosition(LineFieldPosition(fields_.endLine));
    SetOwnText(IDC_FS_TITLE, fields_.title);
    SetOwnText(IDC_FS_FILE, fields_.fileName);
    SetItemText(IDC_FS_PREVIEW, preview_);

    // Laid out at the least size, then placed: centred the first time, later where the
    // user left it.
    SetWindowSize(kMinWidth, kMinHeight);
    FormShow();
    SetAnchors(kAnchors);
    SetMinTrackSize(kMinWidth, kMinHeight);
    PlaceWindow();
    return true;
}

// What the program's settings say about the dialog, read each time it opens.
void TfrmFileSelect::FormShow() {
    DragAcceptFiles(Handle(), TRUE);
    const bool lyricsMasterOn = owner_.LyricsMasterOn();
    LayOut(lyricsMasterOn ? kTitleWidthBesideSearch : kTitleWidthAlone);
    ShowItem(IDC_FS_LYRICS_MASTER, lyricsMasterOn);
    ShowItem(IDC_FS_PASTE_SAVE, !owner_.PasteSavePath().empty());
}

// The pixel table, made for the client area at the least window size: the fields at the
// right keep to its right edge, the preview and the buttons below it to its bottom.
void TfrmFileSelect::LayOut(int titleWidth) {
    constexpr int kMargin = 8;
    constexpr int kGap = 4;
    constexpr int kLabelHeight = 14;
    constexpr int kEditHeight = 21;
    constexpr int kButtonHeight = 25;
    constexpr int kButtonWidth = 75;
    constexpr int kLabelWidth = 140;
    constexpr int kNumberWidth = 56;  // the edit with its up-down
    constexpr int kKaraWidth = 14;
    constexpr int kOpenWidth = 60;
    constexpr int kLabelRow = 8;
    constexpr int kFieldRow = kLabelRow + kLabelHeight + 2;
    constexpr int kFileLabelRow = kFieldRow + kEditHeight + 7;
    constexpr int kFileRow = kFileLabelRow + kLabelHeight + 2;
    constexpr int kPreviewLabelRow = kFileRow + kEditHeight + 7;
    constexpr int kPreviewRow = kPreviewLabelRow + kLabelHeight + 2;
    constexpr int kSearchLeft = kMargin + kTitleWidthBesideSearch + kGap;
    constexpr int kSearchWidth = kTitleWidthAlone - kTitleWidthBesideSearch - kGap;

    const SIZE client = ClientSize();
    const int width = client.cx;
    const int numbersLeft = width - kMargin - 2 * kNumberWidth - kKaraWidth;
    const int bottomRow = client.cy - kMargin - kButtonHeight;
    const ControlPlace places[] = {
        {IDC_FS_TITLE_LABEL, kMargin, kLabelRow, kLabelWidth, kLabelHeight},
        {IDC_FS_TITLE, kMargin, kFieldRow, titleWidth, kEditHeight},
        {IDC_FS_LYRICS_MASTER, kSearchLeft, kFieldRow - 2, kSearchWidth, kButtonHeight},
        {IDC_FS_USE_LINE, numbersLeft, kLabelRow, 2 * kNumberWidth + kKaraWidth, kLabelHeight},
        {IDC_FS_START_LINE, numbersLeft, kFieldRow, kNumberWidth, kEditHeight},
        {IDC_FS_KARA, numbersLeft + kNumberWidth, kFieldRow + 3, kKaraWidth, kLabelHeight},
        {IDC_FS_END_LINE, numbersLeft + kNumberWidth + kKaraWidth, kFieldRow, kNumberWidth,
         kEditHeight},
        {IDC_FS_FILE_LABEL, kMargin, kFileLabelRow, kLabelWidth, kLabelHeight},
        {IDC_FS_FILE, kMargin, kFileRow, width - 2 * kMargin - kOpenWidth - kGap, kEditHeight},
        {IDC_FS_FILE_OPEN, width - kMargin - kOpenWidth, kFileRow - 2, kOpenWidth, kButtonHeight},
        {IDC_FS_PREVIEW_LABEL, kMargin, kPreviewLabelRow, kLabelWidth, kLabelHeight},
        {IDC_FS_PREVIEW, kMargin, kPreviewRow, width - 2 * kMargin,
         bottomRow - kMargin - kPreviewRow},
        {IDC_FS_PASTE_SAVE, kMargin, bottomRow, kLabelWidth, kButtonHeight},
        {IDOK, width - kMargin - 2 * kButtonWidth - kGap, bottomRow, kButtonWidth, kButtonHeight},
        {IDCANCEL, width - kMargin - kButtonWidth, bottomRow, kButtonWidth, kButtonHeight},
    };
    PlaceControls(places);
}

// Centred the first time, at the least size; then where the user left it.
void TfrmFileSelect::PlaceWindow() {
    if (!lastBounds_) {
        CentreInWorkArea();
        return;
    }
    const DpiScale scale = Scale();
    const RECT& bounds = *lastBounds_;
    SetWindowPos(Handle(), nullptr, bounds.left, bounds.top,
                 std::max<int>(bounds.right - bounds.left, scale(kMinWidth)),
                 std::max<int>(bounds.bottom - bounds.top, scale(kMinHeight)),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TfrmFileSelect::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_FS_TITLE:
            if (code == EN_CHANGE && !settingText_) {
                fields_.title = ItemText(IDC_FS_TITLE);
            }
            return true;
        case IDC_FS_FILE:
            if (code == EN_CHANGE && !settingText_) {
                ledLyricsFileChange();
            }
            return true;
        case IDC_FS_FILE_OPEN:
            btnFileOpenClick();
            return true;
        case IDC_FS_LYRICS_MASTER:
            btnLyricsMasterClick();
            return true;
        case IDC_FS_PASTE_SAVE:
            btnPasteSaveClick();
            return true;
        default:
            return Dialog::OnCommand(id, code, control);
    }
}

void TfrmFileSelect::ledLyricsFileChange() {
    std::string text = ItemText(IDC_FS_FILE);
    if (text != fields_.fileName) {
        fields_.fileName = std::move(text);
        UpdatePreview();
    }
}

void TfrmFileSelect::OnScroll(int controlId, int code) {
    if (code == SB_THUMBPOSITION) {
        udnStartLineClick(controlId);
    }
}

// Both up-downs: only a number the user changed replaces the one kept.
void TfrmFileSelect::udnStartLineClick(int controlId) {
    if (controlId == udnStartLine.Id()) {
        fields_.startLine = udnStartLine.Position();
    } else if (controlId == udnEndLine.Id()) {
        fields_.endLine = udnEndLine.Position();
    } else {
        return;
    }
    UpdatePreview();
}

void TfrmFileSelect::btnFileOpenClick() {
    FileDialogOptions options;
    options.owner = Handle();
    options.filter = kAllFilesFilter.Ansi();
    options.pathBytes = kOpenPathChars;
    // The dialog opens at the current file; a text that names none could make it refuse
    // to open at all.
    if (CurrentFileSystem().KindOf(fields_.fileName) == FileSystem::Kind::File) {
        options.initialFile = fields_.fileName;
    }
    if (const std::optional<std::string> path = AskOpenFileName(options)) {
        SetLyricsFileText(*path);
    }
}

void TfrmFileSelect::btnLyricsMasterClick() {
    owner_.SearchLyricsMaster(fields_.title);
}

// The boxes of paste assignment belong to the dialog, so that they show above it.
void TfrmFileSelect::btnPasteSaveClick() {
    const std::string folder = owner_.PasteSavePath();
    const std::string title = fields_.title;
    const Win32PasteUi ui(Handle());
    if (TPasteSave(ui).Execute(folder, title)) {
        SetLyricsFileText(TPasteSave::PathOf(folder, title));
    }
}

// The first item only; a folder is not a lyrics file.
void TfrmFileSelect::OnDropFiles(HDROP drop) {
    const DroppedFiles dropped(drop);
    if (dropped.Count() == 0) {
        return;
    }
    const std::string path = dropped.Path(0);
    if (CurrentFileSystem().KindOf(path) != FileSystem::Kind::Directory) {
        SetLyricsFileText(path);
    }
}

bool TfrmFileSelect::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            result = 0;
            return true;
        case WM_WINDOWPOSCHANGING:
            // Every move or show keeps the dialog in the topmost band.
            reinterpret_cast<WINDOWPOS*>(lParam)->hwndInsertAfter = HWND_TOPMOST;
            return false;
        case WM_ACTIVATEAPP:
            if (wParam == FALSE) {
                KeepOnTop();
            }
            return false;
        case WM_DESTROY: {
            RECT bounds{};
            if (GetWindowRect(Handle(), &bounds)) {
                lastBounds_ = bounds;
            }
            return false;
        }
        default:
            return false;
    }
}

void TfrmFileSelect::OnDestroyed() {
    previewFont_.Reset();  // the preview that used it is gone
}

}  // namespace vesk
