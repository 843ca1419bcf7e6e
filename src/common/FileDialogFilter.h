#pragma once

// The filter of a file dialog, written in the program's texts as "name|pattern|name|pattern".

#include <string>
#include <string_view>

namespace vesk {

// The form the system's file dialogs take: each "|" that starts a character becomes a zero
// byte, and two zero bytes end the list. A "|" that is the second byte of a double-byte
// character (ポ is 0x83 0x7C) stays part of its name.
std::string FileDialogFilter(std::string_view filter);

}  // namespace vesk
