#pragma once

#include <string>

namespace vesk {

// The full path of the running program file.
std::string ProgramFile();

// The folder of the running program file, with a trailing separator. The program's own
// files (Vesk.ini, Vesk.csv, readme.txt) are this folder followed by a fixed name.
std::string ProgramFolder();

}  // namespace vesk
