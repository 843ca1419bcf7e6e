#pragma once

// TKelpIniFile's placement operations for a real window.

#include <windows.h>

#include <string_view>

#include "settings/KelpIniFile.h"

namespace vesk {

// The window's placement record without its minimised position.
WindowPlacement PlacementOf(HWND window);

// Fetches the window's current placement, reads each key with the fetched value as default
// and applies the result with SetWindowPlacement.
void ReadPlacement(const TKelpIniFile& ini, std::string_view section, std::string_view ident,
                   HWND window);
// Writes the window's current placement.
void WritePlacement(TKelpIniFile& ini, std::string_view section, std::string_view ident,
                    HWND window);

}  // namespace vesk
