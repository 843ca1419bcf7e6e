#include "editing/win32/untLyricsListForm.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/ProgramText.h"
#include "common/win32/DroppedFiles.h"
#include "common/win32/ErrorReport.h"
#include "common/win32/FileDialogs.h"
#include "common/win32/ListViewColumns.h"
#include "editing/win32/ButtonImages.h"
#include "editing/win32/Win32FolderLister.h"

namespace vesk {

namespace {

constexpr ProgramText kCaption{"歌詞リスト"};
constexpr ProgramText kRepeatTitleDeleteCaption{"重複タイトル削除実行中..."};
constexpr ProgramText kFileNotExistsDeleteCaption{"ファイルが存在しない項目を削除中..."};
constexpr ProgramText kListFilter{"CSVファイル(*.csv)|*.csv"};
constexpr ProgramText kListNotSaved{"歌詞リストを保存できません："};
// The line columns have a list column's usual default width.
constexpr ListViewColumn kColumns[] = {
    {ProgramText{"タイトル"}, 100},
    {ProgramText{"歌詞ファイル"}, 250},
    {ProgramText{"開始行"}, 50},
    {ProgramText{"終了行"}, 50},
};
static_assert(std::size(kColumns) == kLyricsColumnCount);
// The file dialogs' buffer: long paths whole.
constexpr std::size_t kPathChars = 32768;

struct ImageButton {
    int id;
    ButtonImage image;
    ProgramText tip;
};
constexpr ImageButton kImageButtons[] = {
    {IDC_LL_NEW, ButtonImage::New, ProgramText{"新規"}},
    {IDC_LL_EDIT, ButtonImage::Edit, ProgramText{"編集"}},
    {IDC_LL_DELETE, ButtonImage::Delete, ProgramText{"削除"}},
    {IDC_LL_REPEAT_TITLE_DELETE, ButtonImage::RepeatTitleDelete,
     ProgramText{"重複タイトル削除(時間かかるかも)"}},
    {IDC_LL_FILE_NOT_EXISTS_DELETE, ButtonImage::FileNotExistsDelete,
     ProgramText{"ファイルが存在しない項目を削除"}},
    {IDC_LL_ALL_DELETE, ButtonImage::AllDelete, ProgramText{"全削除"}},
};

static_assert(std::size(kImageButtons) == TfrmLyricsList::kImageButtonCount);

// The pixel table, for the client area the editor opens with: the list view fills it above
// a row of the image buttons side by side at the left, OK and キャンセル at the right.
constexpr int kButtonSize = TfrmLyricsList::kImageButtonSize;
constexpr int kMargin = 4;
constexpr int kImageButtonGap = 1;
constexpr int kButtonWidth = 75;
constexpr int kButtonTop = TfrmLyricsList::kClientHeight - kMargin - kButtonSize;
constexpr int kCancelLeft = TfrmLyricsList::kClientWidth - kMargin - kButtonWidth;

constexpr int ImageButtonLeft(int index) {
    return kMargin + index * (kButtonSize + kImageButtonGap);
}

constexpr ControlPlace kPlaces[] = {
    {IDC_LL_LIST, 0, 0, TfrmLyricsList::kClientWidth, kButtonTop - kMargin},
    {IDC_LL_NEW, ImageButtonLeft(0), kButtonTop, kButtonSize, kButtonSize},
    {IDC_LL_EDIT, ImageButtonLeft(1), kButtonTop, kButtonSize, kButtonSize},
    {IDC_LL_DELETE, ImageButtonLeft(2), kButtonTop, kButtonSize, kButtonSize},
    {IDC_LL_REPEAT_TITLE_DELETE, ImageButtonLeft(3), kButtonTop, kButtonSize, kButtonSize},
    {IDC_LL_FILE_NOT_EXISTS_DELETE, ImageButtonLeft(4), kButtonTop, kButtonSize, kButtonSize},
    {IDC_LL_ALL_DELETE, ImageButtonLeft(5), kButtonTop, kButtonSize, kButtonSize},
    {IDOK, kCancelLeft - kMargin - kButtonWidth, kButtonTop, kButtonWidth, kButtonSize},
    {IDCANCEL, kCancelLeft, kButtonTop, kButtonWidth, kButtonSize},
};

// The list view fills the window; the row buttons keep to the bottom left, OK and Cancel
// to the bottom right.
constexpr DialogAnchor kAnchors[] = {
    {IDC_LL_LIST, kAnchorsAll},
    {IDC_LL_NEW, kAnchorsBottomLeft},
    {IDC_LL_EDIT, kAnchorsBottomLeft},
    {IDC_LL_DELETE, kAnchorsBottomLeft},
    {IDC_LL_REPEAT_TITLE_DELETE, kAnchorsBottomLeft},
    {IDC_LL_FILE_NOT_EXISTS_DELETE, kAnchorsBottomLeft},
    {IDC_LL_ALL_DELETE, kAnchorsBottomLeft},
    {IDOK, kAnchorsBottomRight},
    {IDCANCEL, kAnchorsBottomRight},
};

// The wait cursor while a command works through many rows or files.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// Where the rows that were selected stand once the rows at removed (ascending) are gone.
std::vector<std::size_t> RemainingPositions(const std::vector<std::size_t>& selected,
                                            const std::vector<std::size_t>& removed) {
    std::vector<std::size_t> remaining;
    std::size_t gone = 0;
    for (std::size_t row : selected) {
        while (gone < removed.size() && removed[gone] < row) {
            ++gone;
        }
        if (gone == removed.size() || removed[gone] != row) {
            remaining.push_back(row - gone);
        }
    }
    return remaining;
}

}  // namespace

TfrmLyricsList::TfrmLyricsList(LyricsListOwner& owner)
    : Dialog(IDD_LYRICS_LIST, kPlaces), owner_(owner) {}

TfrmLyricsList::~TfrmLyricsList() = default;

bool TfrmLyricsList::Create(HWND ownerWindow) {
    return CreateModeless(ownerWindow);
}

void TfrmLyricsList::AddToListView(const TLyricsList& list) {
    list.AddToListView(rows_);
    RowsChanged();
}

void TfrmLyricsList::Close() {
    if (editing_) {
        closePending_ = true;
        return;
    }
    End(IDCANCEL);
}

bool TfrmLyricsList::OnInit() {
    SetClientSize(kClientWidth, kClientHeight);
    CentreInWorkArea();
    MakeColumns();
    MakeImageButtons();
    SetAnchors(kAnchors);
    SetMinTrackSize(kMinWidth, kMinHeight);
    FormShow();
    RowsChanged();
    return true;
}

void TfrmLyricsList::FormShow() {
    DragAcceptFiles(Handle(), TRUE);
}

void TfrmLyricsList::MakeColumns() {
    const HWND list = ListView();
    const DWORD styles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
    AddListViewColumns(list, kColumns, Scale());
}

void TfrmLyricsList::MakeImageButtons() {
    DrawImages();
    for (const ImageButton& button : kImageButtons) {
        tips_.Add(Handle(), Item(button.id), button.tip.Ansi());
    }
}

void TfrmLyricsList::DrawImages() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int size = Scale()(kButtonImageSize);
    for (std::size_t i = 0; i < std::size(kImageButtons); ++i) {
        BitmapHandle image = DrawButtonImage(kImageButtons[i].image, face, size);
        SendMessageA(Item(kImageButtons[i].id), BM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(image.Get()));
        images_[i] = std::move(image);  // the button no longer shows the one before
    }
}

void TfrmLyricsList::OnDpiChanged(const DpiScale&) {
    DrawImages();
}

void TfrmLyricsList::RowsChanged() {
    if (Handle() == nullptr) {
        return;
    }
    SendMessageA(ListView(), LVM_SETITEMCOUNT, rows_.RowCount(), LVSICF_NOSCROLL);
    InvalidateRect(ListView(), nullptr, TRUE);
}

std::vector<std::size_t> TfrmLyricsList::SelectedRows() const {
    std::vector<std::size_t> rows;
    for (int i = -1;;) {
        i = static_cast<int>(SendMessageA(ListView(), LVM_GETNEXTITEM, static_cast<WPARAM>(i),
                                          MAKELPARAM(LVNI_SELECTED, 0)));
        if (i < 0) {
            return rows;
        }
        rows.push_back(static_cast<std::size_t>(i));
    }
}

std::optional<std::size_t> TfrmLyricsList::CurrentRow() const {
    const auto i = static_cast<int>(SendMessageA(
        ListView(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
    return i >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(i)) : std::nullopt;
}

void TfrmLyricsList::SelectRows(const std::vector<std::size_t>& rows) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(ListView(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        state.state = i == 0 ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
        SendMessageA(ListView(), LVM_SETITEMSTATE, rows[i], reinterpret_cast<LPARAM>(&state));
    }
    if (!rows.empty()) {
        SendMessageA(ListView(), LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(rows.front()));
        SendMessageA(ListView(), LVM_ENSUREVISIBLE, rows.front(), FALSE);
    }
}

void TfrmLyricsList::RowsRemoved(const std::vector<std::size_t>& removed) {
    const std::vector<std::size_t> selected = RemainingPositions(SelectedRows(), removed);
    RowsChanged();
    SelectRows(selected);
}

void TfrmLyricsList::bbnOKClick() {
    if (owner_.StoreRows(rows_)) {
        End(IDOK);
    }
}

void TfrmLyricsList::bbnCancelClick() {
    End(IDCANCEL);
}

void TfrmLyricsList::mitCloseClick() {
    End(IDCANCEL);
}

// The assignment dialog with the editor disabled meanwhile, so that the rows cannot
// change under it. Nothing when the editor was closed meanwhile: it is gone then.
std::optional<LyricsEntryFields> TfrmLyricsList::EditEntry(const LyricsEntryFields& entry) {
    FileSelectDialog* dialog = owner_.FileSelect();
    if (dialog == nullptr || dialog->Showing()) {
        return std::nullopt;
    }
    editing_ = true;
    EnableWindow(Handle(), FALSE);
    std::optional<LyricsEntryFields> edited = dialog->Edit(entry);
    EnableWindow(Handle(), TRUE);
    editing_ = false;
    if (closePending_) {
        End(IDCANCEL);
        return std::nullopt;
    }
    SetForegroundWindow(Handle());
    return edited;
}

void TfrmLyricsList::bbnNewClick() {
    const std::optional<LyricsEntryFields> entry = EditEntry({});
    if (!entry) {
        return;
    }
    rows_.AppendEntry(*entry);
    RowsChanged();
    SendMessageA(ListView(), LVM_ENSUREVISIBLE, rows_.RowCount() - 1, FALSE);
}

void TfrmLyricsList::bbnEditClick() {
    const std::optional<std::size_t> current = CurrentRow();
    if (!current) {
        return;
    }
    const std::optional<LyricsEntryFields> entry = EditEntry(rows_.EntryAt(*current));
    if (!entry) {
        return;
    }
    rows_.SetEntry(*current, *entry);
    SendMessageA(ListView(), LVM_REDRAWITEMS, *current, static_cast<LPARAM>(*current));
}

void TfrmLyricsList::bbnDeleteClick() {
    const std::optional<std::size_t> current = CurrentRow();
    if (!current) {
        return;
    }
    rows_.Remove(SelectedRows());
    RowsChanged();
    const std::optional<std::size_t> next = SelectionAfterDelete(*current, rows_.RowCount());
    SelectRows(next ? std::vector<std::size_t>{*next} : std::vector<std::size_t>{});
}

void TfrmLyricsList::bbnAllDeleteClick() {
    rows_.Clear();
    SelectRows({});
    RowsChanged();
}

void TfrmLyricsList::bbnRepeatTitleDeleteClick() {
    SetWindowTextA(Handle(), kRepeatTitleDeleteCaption.Ansi().c_str());
    {
        const WaitCursor wait;
        RowsRemoved(rows_.RemoveRepeatedTitles());
    }
    SetWindowTextA(Handle(), kCaption.Ansi().c_str());
}

void TfrmLyricsList::bbnFileNotExistsDeleteClick() {
    SetWindowTextA(Handle(), kFileNotExistsDeleteCaption.Ansi().c_str());
    {
        const WaitCursor wait;
        RowsRemoved(rows_.RemoveMissingFiles());
    }
    SetWindowTextA(Handle(), kCaption.Ansi().c_str());
}

void TfrmLyricsList::mitIncludeClick() {
    if (const std::optional<std::string> path = AskListFile(false)) {
        const TLyricsList list(*path);
        AddToListView(list);
    }
}

// The list file is replaced in one step; a file that cannot be written stays as it was,
// and the user is told so rather than left believing the rows were kept.
void TfrmLyricsList::mitExcludeClick() {
    if (const std::optional<std::string> path = AskListFile(true)) {
        TLyricsList list;
        list.LoadFromListView(rows_);
        if (!list.SaveToFile(*path)) {
            ReportError(Handle(), kListNotSaved.Ansi() + *path);
        }
    }
}

// The save dialog adds no extension and does not ask before replacing a file.
std::optional<std::string> TfrmLyricsList::AskListFile(bool save) {
    FileDialogOptions options;
    options.owner = Handle();
    options.filter = kListFilter.Ansi();
    options.pathBytes = kPathChars;
    return save ? AskSaveFileName(options) : AskOpenFileName(options);
}

void TfrmLyricsList::lvwLyricsListColumnClick(int column) {
    if (column < 0 || column >= kLyricsColumnCount) {
        return;
    }
    const bool descending = NextSortDescending(sortFlags_, column);
    const std::vector<std::size_t> selected = SelectedRows();
    std::vector<std::size_t> order;
    {
        const WaitCursor wait;
        order = rows_.Sort(column, descending);
    }
    // The selected rows stay selected where they went.
    std::vector<bool> wasSelected(order.size(), false);
    for (std::size_t row : selected) {
        wasSelected[row] = true;
    }
    std::vector<std::size_t> moved;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (wasSelected[order[i]]) {
            moved.push_back(i);
        }
    }
    RowsChanged();
    SelectRows(moved);
}

void TfrmLyricsList::lvwLyricsListDblClick() {
    bbnEditClick();
}

void TfrmLyricsList::lvwLyricsListKeyDown(WORD key) {
    if (key == VK_DELETE) {
        bbnDeleteClick();
    }
}

void TfrmLyricsList::AddFolder(const std::string& folder) {
    rows_.AddFolder(SystemFolderLister(), folder);
    RowsChanged();
}

void TfrmLyricsList::AddFile(const std::string& path) {
    rows_.AddFile(path);
    RowsChanged();
}

// Every item in the order the shell gives them, each path whole.
void TfrmLyricsList::OnDropFiles(HDROP drop) {
    const DroppedFiles dropped(drop);
    const WaitCursor wait;
    for (UINT i = 0; i < dropped.Count(); ++i) {
        const std::string path = dropped.Path(i);
        if (CurrentFileSystem().KindOf(path) == FileSystem::Kind::Directory) {
            rows_.AddFolder(SystemFolderLister(), path);
        } else if (IsLyricsFileName(path)) {
            rows_.AddFile(path);
        }
    }
    RowsChanged();
}

void TfrmLyricsList::GetDisplayInfo(NMLVDISPINFOA& info) const {
    const auto row = static_cast<std::size_t>(info.item.iItem);
    if ((info.item.mask & LVIF_TEXT) == 0 || info.item.iItem < 0 || row >= rows_.RowCount()) {
        return;
    }
    const ListViewRow& cells = rows_[row];
    const std::string* text = nullptr;
    switch (info.item.iSubItem) {
        case kTitleColumn:
            text = &cells.title;
            break;
        case kFileColumn:
            text = &cells.fileName;
            break;
        case kStartLineColumn:
            text = &cells.startLine;
            break;
        case kEndLineColumn:
            text = &cells.endLine;
            break;
        default:
            return;
    }
    // The row's own text, whole however long: it stays until the rows change.
    info.item.pszText = const_cast<char*>(text->c_str());
}

// Typing in the list finds the next row whose title begins with what was typed.
int TfrmLyricsList::FindItem(const NMLVFINDITEMA& find) const {
    if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.lvfi.psz == nullptr) {
        return -1;
    }
    const std::string_view wanted = find.lvfi.psz;
    const bool partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
    const std::size_t count = rows_.RowCount();
    const std::size_t start =
        find.iStart >= 0 && static_cast<std::size_t>(find.iStart) < count ? find.iStart : 0;
    for (std::size_t n = 0; n < count; ++n) {
        const std::size_t row = (start + n) % count;
        if (row < start && (find.lvfi.flags & LVFI_WRAP) == 0) {
            break;
        }
        std::string_view title = rows_[row].title;
        if (partial && title.size() > wanted.size() && IsCharStart(title, wanted.size())) {
            title = title.substr(0, wanted.size());
        }
        if (TextEqual(title, wanted, true)) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

bool TfrmLyricsList::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_LL_NEW:
            bbnNewClick();
            return true;
        case IDC_LL_EDIT:
            bbnEditClick();
            return true;
        case IDC_LL_DELETE:
            bbnDeleteClick();
            return true;
        case IDC_LL_REPEAT_TITLE_DELETE:
            bbnRepeatTitleDeleteClick();
            return true;
        case IDC_LL_FILE_NOT_EXISTS_DELETE:
            bbnFileNotExistsDeleteClick();
            return true;
        case IDC_LL_ALL_DELETE:
            bbnAllDeleteClick();
            return true;
        case IDM_LL_INCLUDE:
            mitIncludeClick();
            return true;
        case IDM_LL_EXCLUDE:
            mitExcludeClick();
            return true;
        case IDM_LL_CLOSE:
            mitCloseClick();
            return true;
        default:
            return Dialog::OnCommand(id, code, control);
    }
}

bool TfrmLyricsList::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_LL_LIST) {
        return false;
    }
    switch (header.code) {
        case LVN_GETDISPINFOA:
            GetDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header)));
            return true;
        case LVN_ODFINDITEMA:
            result = FindItem(*reinterpret_cast<const NMLVFINDITEMA*>(&header));
            return true;
        case LVN_COLUMNCLICK:
            lvwLyricsListColumnClick(reinterpret_cast<const NMLISTVIEW*>(&header)->iSubItem);
            return true;
        case LVN_KEYDOWN:
            lvwLyricsListKeyDown(reinterpret_cast<const NMLVKEYDOWN*>(&header)->wVKey);
            return true;
        case NM_DBLCLK:
            lvwLyricsListDblClick();
            return true;
        default:
            return false;
    }
}

bool TfrmLyricsList::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    switch (message) {
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            result = 0;
            return true;
        case WM_DESTROY:
            // However the editor closes, an open assignment dialog ends as cancelled.
            if (FileSelectDialog* dialog = owner_.FileSelect();
                dialog != nullptr && dialog->Showing()) {
                dialog->Close();
            }
            return false;
        default:
            return false;
    }
}

void TfrmLyricsList::OnDestroyed() {
    for (BitmapHandle& image : images_) {
        image.Reset();  // the buttons that showed them are gone
    }
}

}  // namespace vesk
