#include "winsearch/win32/untClassSearchForm.h"

#include <commctrl.h>

#include <utility>

#include "common/win32/ListViewColumns.h"
#include "winsearch/ClassSearchRules.h"
#include "winsearch/win32/ClassSearchFormRes.h"

namespace vesk {

namespace {

// Columns: the handle, wide enough for the seven or eight digits handles usually have (a
// list column's usual default of 50 pixels cuts them), then the class name and the caption.
constexpr ListViewColumn kColumns[] = {
    {ProgramText{"Handle"}, 70},
    {ProgramText{"ClassName"}, 140},
    {ProgramText{"WindowText"}, 220},
};
// The class name is the first sub-item.
constexpr int kClassNameSubItem = 1;
// Class names are at most 99 bytes (see kClassNameBufferSize); room to spare.
constexpr int kClassNameReadSize = 256;

// The pixel table, made for the client area at the window's first size: the list fills the
// area above one row of controls, the search button and the check box at its left, OK and
// キャンセル at its right.
constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 25;
constexpr int kCheckWidth = 130;
constexpr int kCheckHeight = 17;

// Posted by a double click on a row: the dialog closes once the list view has finished
// with the click, not from inside its notification.
constexpr UINT kRowDoubleClicked = WM_APP + 1;

constexpr DialogAnchor kAnchors[] = {
    {IDC_LVW_CLASSNAME, kAnchorsAll},   {IDC_BTN_SEARCH, kAnchorsBottomLeft},
    {IDC_CBX_MORE, kAnchorsBottomLeft}, {IDOK, kAnchorsBottomRight},
    {IDCANCEL, kAnchorsBottomRight},
};

// The list view's rows, through the ANSI messages (texts in the system code page).
class ListViewRowSink final : public ListRowSink {
public:
    explicit ListViewRowSink(HWND listView) : listView_(listView) {}

    void Clear() override { SendMessageA(listView_, LVM_DELETEALLITEMS, 0, 0); }

    int AddRow(const std::string& caption) override {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(SendMessageA(listView_, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<char*>(caption.c_str());
        return static_cast<int>(
            SendMessageA(listView_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }

    void SetSubItem(int row, int subItem, const std::string& text) override {
        LVITEMA item{};
        item.iSubItem = subItem;
        item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(listView_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }

private:
    HWND listView_;
};

// The list is drawn once, when it is filled, not after every row.
class RedrawPause {
public:
    explicit RedrawPause(HWND window) : window_(window) {
        SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawPause() {
        SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    HWND window_;
};

}  // namespace

TfrmClassSearch::TfrmClassSearch(std::function<void(const std::string&)> takeOver)
    : Dialog(IDD_CLASS_SEARCH), takeOver_(std::move(takeOver)) {}

TfrmClassSearch::~TfrmClassSearch() = default;

bool TfrmClassSearch::OnInit() {
    const HWND list = Item(IDC_LVW_CLASSNAME);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddListViewColumns(list, kColumns, Scale());
    SetWindowSize(kWidth, kHeight);
    LayOut();
    SetAnchors(kAnchors);
    return true;
}

void TfrmClassSearch::LayOut() {
    const SIZE client = ClientSize();
    const int rowTop = client.cy - kMargin - kButtonHeight;
    const ControlPlace places[] = {
        {IDC_LVW_CLASSNAME, kMargin, kMargin, client.cx - 2 * kMargin, rowTop - 2 * kMargin},
        {IDC_BTN_SEARCH, kMargin, rowTop, kButtonWidth, kButtonHeight},
        {IDC_CBX_MORE, kMargin + kButtonWidth + kGap, rowTop + (kButtonHeight - kCheckHeight) / 2,
         kCheckWidth, kCheckHeight},
        {IDOK, client.cx - kMargin - 2 * kButtonWidth - kGap, rowTop, kButtonWidth, kButtonHeight},
        {IDCANCEL, client.cx - kMargin - kButtonWidth, rowTop, kButtonWidth, kButtonHeight},
    };
    PlaceControls(places);
}

void TfrmClassSearch::btnSearchClick() {
    const HWND list = Item(IDC_LVW_CLASSNAME);
    const RedrawPause pause(list);
    ListViewRowSink rows(list);
    SearchWindows(rows, Checked(IDC_CBX_MORE));
}

std::optional<std::string> TfrmClassSearch::SelectedClassName() const {
    const HWND list = Item(IDC_LVW_CLASSNAME);
    const auto row = static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) {
        return std::nullopt;
    }
    char text[kClassNameReadSize] = {};
    LVITEMA item{};
    item.iSubItem = kClassNameSubItem;
    item.pszText = text;
    item.cchTextMax = kClassNameReadSize;
    const auto length = static_cast<int>(SendMessageA(
        list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    // The control may hand back its own copy instead of filling the buffer.
    if (item.pszText != text && item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKA) {
        return std::string(item.pszText);
    }
    return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

void TfrmClassSearch::bbnOKClick() {
    if (const std::optional<std::string> className = SelectedClassName(); className && takeOver_) {
        takeOver_(*className);
    }
    End(IDOK);
}

bool TfrmClassSearch::OnCommand(int id, int code, HWND control) {
    if (id == IDC_BTN_SEARCH && code == BN_CLICKED) {
        btnSearchClick();
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

bool TfrmClassSearch::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom == IDC_LVW_CLASSNAME && header.code == NM_DBLCLK) {
        // On a row only: a double click on the empty part of the list does nothing.
        if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) {
            PostMessageA(Handle(), kRowDoubleClicked, 0, 0);
        }
        result = 0;
        return true;
    }
    return false;
}

bool TfrmClassSearch::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == kRowDoubleClicked) {
        lvwClassNameDblClick();
        result = 0;
        return true;
    }
    // Shown by ShowWindow (lParam 0), not again when its owner comes back from being
    // minimized. The system's own handling goes on.
    if (message == WM_SHOWWINDOW && wParam != FALSE && lParam == 0) {
        FormShow();
    }
    return false;
}

}  // namespace vesk
