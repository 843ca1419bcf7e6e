#pragma once

// The rows of a report-style list view control (comctl32), through the ANSI messages: the
// texts go in and come out in the system code page.

#include <windows.h>

#include "lyrics/ListViewRows.h"

namespace vesk {

class Win32ListViewRows final : public ListViewRows {
public:
    // listView: a list view in report style whose columns are title, lyrics file, start
    // line and end line. It is not owned.
    explicit Win32ListViewRows(HWND listView) : listView_(listView) {}

    std::size_t RowCount() const override;
    ListViewRow Row(std::size_t index) const override;
    void AppendRow(ListViewRow row) override;

private:
    HWND listView_;
};

}  // namespace vesk
