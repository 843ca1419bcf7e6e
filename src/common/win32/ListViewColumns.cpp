#include "common/win32/ListViewColumns.h"

#include <commctrl.h>

#include <string>

namespace vesk {

void AddListViewColumns(HWND listView, std::span<const ListViewColumn> columns,
                        const DpiScale& scale) {
    int index = 0;
    for (const ListViewColumn& column : columns) {
        std::string header = column.header.Ansi();
        LVCOLUMNA lvc{};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        lvc.pszText = header.data();
        lvc.cx = scale(column.width);
        lvc.iSubItem = index;
        SendMessageA(listView, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&lvc));
        ++index;
    }
}

}  // namespace vesk
