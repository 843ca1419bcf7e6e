#pragma once

// UTF-16 for the few Win32 interfaces that take no ANSI text (automation, the shell's
// parsing of names, drop lists), and back.

#include <string>
#include <string_view>

#include <windows.h>

namespace vesk {

// text in codePage (the ANSI code page unless said) as UTF-16.
std::wstring Widen(std::string_view text, UINT codePage = CP_ACP);
// UTF-16 in codePage; characters the code page lacks become its best fit.
std::string Narrow(std::wstring_view wide, UINT codePage = CP_ACP);

}  // namespace vesk
