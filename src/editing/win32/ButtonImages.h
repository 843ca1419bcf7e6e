#pragma once

// The images of the lyrics list editor's row buttons, drawn with GDI when the window opens
// (no image files): 16 × 16 pixels on the button face's colour, each pixel a block of
// pixels at a higher DPI.

#include <windows.h>

#include "common/win32/WinHandles.h"

namespace vesk {

enum class ButtonImage {
    New,                  // a sheet with a green plus
    Edit,                 // a sheet with a pencil
    Delete,               // a red cross
    RepeatTitleDelete,    // two sheets, one behind the other, with a red cross
    FileNotExistsDelete,  // the outline of a missing sheet with a red cross
    AllDelete,            // the rows of a list crossed out in red
};

inline constexpr int kButtonImageSize = 16;

// A bitmap for a BS_BITMAP button, size × size pixels (kButtonImageSize at 96 DPI); face
// is the colour around the picture.
BitmapHandle DrawButtonImage(ButtonImage image, COLORREF face, int size = kButtonImageSize);

}  // namespace vesk
