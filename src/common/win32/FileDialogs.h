#pragma once

// The system's file dialogs as the program opens them: Explorer style, resizable, without
// the read-only box, the current folder left as it was. comdlg32 is loaded by the first one.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

namespace vesk {

struct FileDialogOptions {
    HWND owner = nullptr;
    // "name|pattern|name|pattern" (common/FileDialogFilter.h).
    std::string filter;
    // The file the dialog starts at; none when empty or longer than the room for a path.
    std::string initialFile;
    // Room for the chosen path, its terminating zero included.
    std::size_t pathBytes = 1024;
    // Added to a name typed without one (save dialogs); none when null.
    const char* defaultExtension = nullptr;
    // Flags beyond the ones every dialog of the program has.
    DWORD extraFlags = 0;
};

// The chosen path; nullopt when the user cancels or the dialog cannot be shown.
std::optional<std::string> AskOpenFileName(const FileDialogOptions& options);
std::optional<std::string> AskSaveFileName(const FileDialogOptions& options);

}  // namespace vesk
