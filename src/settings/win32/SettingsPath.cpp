#include "settings/win32/SettingsPath.h"

#include "common/win32/ProgramFolder.h"
#include "settings/VeskSettings.h"

namespace vesk {

std::string SettingsFilePath() {
    return SettingsFilePathIn(ProgramFolder());
}

}  // namespace vesk
