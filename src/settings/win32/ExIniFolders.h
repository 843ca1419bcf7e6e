#pragma once

#include "settings/ExIniFile.h"

namespace vesk {

// The running system's folders for TExIniFile: GetWindowsDirectoryA, the shell's
// application-data folder (CSIDL_APPDATA) and the program file.
const ExIniFolders& SystemExIniFolders();

}  // namespace vesk
