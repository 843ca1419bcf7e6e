#pragma once

// A window's children rescaled from one DPI to another when it moves to a monitor of another
// DPI: for a window whose layout has no single table to place again (a dialog's tables may
// be made from sizes that have changed since, or belong to its pages).

#include <windows.h>

#include <vector>

#include "common/DpiScale.h"
#include "common/win32/WinHandles.h"

namespace vesk {

// Moves and sizes every descendant of window by the ratio of the two DPIs (each in its
// parent's client coordinates, each number on its own as PlaceControls scales a table; a
// combo box with its drop-down list), gives window and its
// descendants their fonts at the new DPI, and widens the columns of list views. fonts owns
// the fonts made; those of an earlier change are freed once no control shows them.
void RescaleChildren(HWND window, const DpiScale& from, const DpiScale& to,
                     std::vector<FontHandle>& fonts);

}  // namespace vesk
