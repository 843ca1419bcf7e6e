#include "shell/win32/FolderItemPath.h"

#include <cwchar>
#include <string>

namespace vesk {

namespace {

// The longest path the file system takes, its NUL counted.
constexpr DWORD kLongestPathChars = 32768;

}  // namespace

FolderChoice FolderChoiceOfItem(LPCITEMIDLIST item) {
    if (item == nullptr) {
        return {};
    }
    std::wstring path(kLongestPathChars, L'\0');
    if (!SHGetPathFromIDListEx(item, path.data(), kLongestPathChars, GPFIDL_DEFAULT)) {
        return {};
    }
    path.resize(std::wcslen(path.c_str()));
    return FolderChoiceOf(std::u16string(path.begin(), path.end()));
}

}  // namespace vesk
