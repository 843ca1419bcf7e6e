#pragma once

// Files dropped from the shell (WM_DROPFILES): the paths, each whole however long, and
// DragFinish on every path out.
//
//   case WM_DROPFILES: {
//       const DroppedFiles dropped(reinterpret_cast<HDROP>(wParam));
//       for (UINT i = 0; i < dropped.Count(); ++i) AddFile(dropped.Path(i));
//   }

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace vesk {

class DroppedFiles {
public:
    explicit DroppedFiles(HDROP drop) : drop_(drop) {}
    ~DroppedFiles() { DragFinish(drop_); }
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;

    UINT Count() const { return DragQueryFileA(drop_, 0xFFFFFFFF, nullptr, 0); }
    // The path of item index, in the order the shell gives them.
    std::string Path(UINT index) const {
        const UINT length = DragQueryFileA(drop_, index, nullptr, 0);
        std::string path(length + 1, '\0');
        path.resize(DragQueryFileA(drop_, index, path.data(), length + 1));
        return path;
    }

private:
    HDROP drop_;
};

}  // namespace vesk
