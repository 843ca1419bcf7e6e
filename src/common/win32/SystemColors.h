#pragma once

// Colour values as GDI takes them: a system colour (0x80000000 + index) resolved to its
// current RGB value, a plain colour as its 0x00BBGGRR.

#include <windows.h>

#include "common/Color.h"

namespace vesk {

inline COLORREF RgbOf(Color color) {
    return IsSystemColor(color) ? GetSysColor(SystemColorIndex(color)) : color & 0x00FFFFFF;
}

}  // namespace vesk
