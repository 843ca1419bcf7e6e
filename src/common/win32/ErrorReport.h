#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace vesk {

// The general error handling of the user interface: shows the error's message (ANSI text)
// in a message box with the application title as caption.
void ReportError(HWND owner, const std::exception& error);
// The same box for an error kept to be shown later (nothing for an empty one), such as one
// met while a window was made, shown once the window's reference is set.
void ReportError(HWND owner, const std::exception_ptr& error);
// The same box for a message (ANSI text) that is no exception.
void ReportError(HWND owner, const std::string& message);

// The application title: the caption of the program's message boxes.
const char* ApplicationTitle();

}  // namespace vesk
