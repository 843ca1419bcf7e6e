#pragma once

// The columns of a report-style list view, from a table.

#include <windows.h>

#include <span>

#include "common/DpiScale.h"
#include "common/ProgramText.h"

namespace vesk {

struct ListViewColumn {
    ProgramText header;
    int width;  // pixels at 96 DPI
};

// Makes the columns of a list view that has none, in order: column i shows sub-item i.
void AddListViewColumns(HWND listView, std::span<const ListViewColumn> columns,
                        const DpiScale& scale);

}  // namespace vesk
