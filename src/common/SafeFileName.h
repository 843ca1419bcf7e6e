#pragma once

// How a song title becomes the name of a lyrics file in a folder: paste assignment, the
// lyrics-folder look-up and lyrics saved from the lyrics service all name files by it, so
// that each finds the files the others wrote.

#include <string>
#include <string_view>

namespace vesk {

// The title made usable as a file name (the caller adds the extension): the characters
// Windows forbids in names, the comma and the semicolon become their full-width forms (a
// byte that is the second byte of a double-byte character is left alone), control
// characters become "_", a lead byte left alone at the end is dropped, and a reserved
// device name (CON, NUL, COM1...) gets "_" after it. No separator survives, so the name
// never leads out of the folder it is put in.
std::string SafeFileName(std::string_view title);

}  // namespace vesk
