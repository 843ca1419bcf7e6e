#include "lyrics/win32/Win32ListViewRows.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

namespace {

constexpr int kFirstBufferSize = 260;
// Texts are paths and titles; the growth stops here so that a broken control cannot make
// the loop run away.
constexpr int kLastBufferSize = 1 << 20;

std::string ItemText(HWND listView, int item, int subItem) {
    std::vector<char> buffer;
    for (int size = kFirstBufferSize;; size *= 2) {
        buffer.assign(static_cast<std::size_t>(size), '\0');
        LVITEMA lvi{};
        lvi.iSubItem = subItem;
        lvi.pszText = buffer.data();
        lvi.cchTextMax = size;
        SendMessageA(listView, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&lvi));
        // The control may hand back a pointer to its own copy instead of filling ours.
        if (lvi.pszText != buffer.data() && lvi.pszText != nullptr &&
            lvi.pszText != LPSTR_TEXTCALLBACKA) {
            return std::string(lvi.pszText);
        }
        const std::size_t length =
            std::min(std::string_view(buffer.data(), buffer.size()).find('\0'), buffer.size());
        // A cut text fills the buffer, or stops one byte short where a double-byte
        // character did not fit.
        if (length + 2 < buffer.size() || size >= kLastBufferSize) {
            return std::string(buffer.data(), length);
        }
    }
}

void SetItemText(HWND listView, int item, int subItem, const std::string& text) {
    LVITEMA lvi{};
    lvi.iSubItem = subItem;
    lvi.pszText = const_cast<char*>(text.c_str());
    SendMessageA(listView, LVM_SETITEMTEXTA, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&lvi));
}

}  // namespace

std::size_t Win32ListViewRows::RowCount() const {
    const LRESULT count = SendMessageA(listView_, LVM_GETITEMCOUNT, 0, 0);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

ListViewRow Win32ListViewRows::Row(std::size_t index) const {
    const int item = static_cast<int>(index);
    return {ItemText(listView_, item, 0), ItemText(listView_, item, 1),
            ItemText(listView_, item, 2), ItemText(listView_, item, 3)};
}

void Win32ListViewRows::AppendRow(ListViewRow row) {
    LVITEMA lvi{};
    lvi.mask = LVIF_TEXT;
    lvi.iItem = static_cast<int>(RowCount());
    lvi.pszText = const_cast<char*>(row.title.c_str());
    // A sorting list view may put the row elsewhere: the sub-items go where it went.
    const auto item = static_cast<int>(
        SendMessageA(listView_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvi)));
    if (item < 0) {
        return;
    }
    SetItemText(listView_, item, 1, row.fileName);
    SetItemText(listView_, item, 2, row.startLine);
    SetItemText(listView_, item, 3, row.endLine);
}

}  // namespace vesk
