#pragma once

#include <windows.h>

#include <string>

namespace vesk {

// Opens a file in the program the system associates with its type (the "Open" verb, the
// file's own folder as working folder, SW_SHOW). Nothing happens, without a message, when
// the path names no file.
void OpenWithAssociatedProgram(HWND owner, const std::string& path);

}  // namespace vesk
