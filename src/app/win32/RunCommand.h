#pragma once

#include <string>

namespace vesk {

// Starts a command line with WinExec and SW_SHOW; a command that cannot be started is not
// reported (the program's commands that start other programs report nothing).
void RunCommandLine(const std::string& commandLine);

}  // namespace vesk
