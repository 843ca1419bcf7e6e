#pragma once

// Dialogs' pixel tables (see Dialog.h): where each control goes in its dialog's client area.

#include <windows.h>

#include <span>

#include "common/DpiScale.h"

namespace vesk {

// One row: a control's rectangle, in pixels at 96 DPI.
struct ControlPlace {
    int id;
    int left;
    int top;
    int width;
    int height;
};

// Moves and sizes the controls of dialog as the table says, each number scaled on its own as
// the system scales a template's dialog units. A combo box's height includes its drop-down
// list, as in a template. An up-down aligned to a placed buddy takes its place at the
// buddy's side again and narrows it, as it did when the dialog was made.
void PlaceControls(HWND dialog, std::span<const ControlPlace> table, const DpiScale& scale);

}  // namespace vesk
