#pragma once

// Reading a window's class name, caption and owner, for the player search and for the
// list of the desktop's windows in the class search dialog, and the rows of that list.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "title/WindowSystem.h"

namespace vesk {

// Size of the buffer a class name is read into: longer names are cut to 99 bytes, so a
// class name is compared by its first 99 bytes at most.
inline constexpr int kClassNameBufferSize = 100;

// One search of the class search dialog lists at most this many windows.
inline constexpr std::size_t kMaxSearchWindows = 1000;

// The window's class name (at most 99 bytes); empty when it cannot be read.
std::string WindowClassName(WindowHandle window);

// The window's caption; empty when it has none or it cannot be read.
std::string WindowText(WindowHandle window);

// Whether the window has an owner window.
bool HasOwner(WindowHandle window);

// The windows the class search lists, front to back: every top-level window when all is
// set, else only the visible ones without an owner; the first kMaxSearchWindows of them
// (the enumeration stops there).
std::vector<WindowHandle> EnumSearchWindows(bool all);

// A list of rows, each a caption and sub-items after it (a report-style list view).
class ListRowSink {
public:
    virtual ~ListRowSink() = default;
    // Removes every row.
    virtual void Clear() = 0;
    // Appends a row with the caption; its index, or -1 when the list refused it.
    virtual int AddRow(const std::string& caption) = 0;
    // Sets sub-item subItem (from 1, the column after the caption's) of row.
    virtual void SetSubItem(int row, int subItem, const std::string& text) = 0;
};

// Appends a row with the caption and one sub-item per line of text, in order (lines end
// at CR LF, a lone CR or a lone LF; a break at the very end begins no further line).
void AddListRow(ListRowSink& list, const std::string& caption, std::string_view text);

}  // namespace vesk
