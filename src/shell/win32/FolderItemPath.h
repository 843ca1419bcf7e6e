#pragma once

// The file-system path of a shell item as a folder choice (FolderChoiceOf): read in UTF-16
// and at any length, so that a name outside the ANSI code page or a path beyond MAX_PATH is
// told apart instead of coming back as question marks or as nothing.

#include <windows.h>

#include <shlobj.h>

#include "shell/SHBFFEX.h"

namespace vesk {

// An item that is no file-system folder (or null) gives an empty path and no refusal.
FolderChoice FolderChoiceOfItem(LPCITEMIDLIST item);

}  // namespace vesk
