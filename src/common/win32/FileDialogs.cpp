#include "common/win32/FileDialogs.h"

#include <commdlg.h>

#include "common/FileDialogFilter.h"
#include "common/win32/LateBound.h"

namespace vesk {

namespace {

// GetSaveFileNameA has the same type.
using AskFunction = decltype(GetOpenFileNameA);

std::optional<std::string> Ask(AskFunction* ask, const FileDialogOptions& options) {
    if (ask == nullptr || options.pathBytes == 0) {
        return std::nullopt;
    }
    const std::string filter = FileDialogFilter(options.filter);
    std::string path(options.pathBytes, '\0');
    if (options.initialFile.size() < path.size()) {
        path.replace(0, options.initialFile.size(), options.initialFile);
    }
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = options.owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = options.defaultExtension;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR |
                   options.extraFlags;
    if (!ask(&dialog)) {
        return std::nullopt;
    }
    return std::string(path.c_str());
}

}  // namespace

std::optional<std::string> AskOpenFileName(const FileDialogOptions& options) {
    static const auto getOpenFileName = LateBound<AskFunction>(kComDlg32, "GetOpenFileNameA");
    return Ask(getOpenFileName, options);
}

std::optional<std::string> AskSaveFileName(const FileDialogOptions& options) {
    static const auto getSaveFileName = LateBound<AskFunction>(kComDlg32, "GetSaveFileNameA");
    return Ask(getSaveFileName, options);
}

}  // namespace vesk
