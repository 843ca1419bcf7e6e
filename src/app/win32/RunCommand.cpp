#include "app/win32/RunCommand.h"

#include <windows.h>

namespace vesk {

void RunCommandLine(const std::string& commandLine) {
    WinExec(commandLine.c_str(), SW_SHOW);
}

}  // namespace vesk
