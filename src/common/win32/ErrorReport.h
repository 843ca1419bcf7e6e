#pragma once

#include <windows.h>

#include <exception>

namespace vesk {

// The general error handling of the user interface: shows the error's message (ANSI text)
// in a message box with the application title as caption.
void ReportError(HWND owner, const std::exception& error);

// The application title: the caption of the program's message boxes.
const char* ApplicationTitle();

}  // namespace vesk
