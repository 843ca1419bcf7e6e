#pragma once

// The editor's list view as the lyrics list sees it: rows of four texts (the caption and
// three sub-items). The Win32 list view implements it in win32/; tests use a plain one.

#include <cstddef>
#include <string>

namespace vesk {

struct ListViewRow {
    std::string title;      // caption
    std::string fileName;   // first sub-item
    std::string startLine;  // second sub-item, decimal
    std::string endLine;    // third sub-item, decimal

    bool operator==(const ListViewRow&) const = default;
};

class ListViewRows {
public:
    virtual ~ListViewRows() = default;

    virtual std::size_t RowCount() const = 0;
    // index < RowCount().
    virtual ListViewRow Row(std::size_t index) const = 0;
    // Adds a row after the last one (taken by value: a view that keeps rows keeps it).
    virtual void AppendRow(ListViewRow row) = 0;
};

}  // namespace vesk
