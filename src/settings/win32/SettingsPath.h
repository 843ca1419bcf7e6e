#pragma once

#include <string>

namespace vesk {

// The settings file: the program's folder followed by "Vesk.ini", whatever the working
// folder and whatever the program file is called.
std::string SettingsFilePath();

}  // namespace vesk
