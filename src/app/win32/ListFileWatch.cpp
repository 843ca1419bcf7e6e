#include "app/win32/ListFileWatch.h"

#include <utility>

namespace vesk {

namespace {

// Names made, removed or renamed (a file replaced in one step), sizes and write times.
constexpr DWORD kWatched =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

}  // namespace

TListFileWatch::TListFileWatch(const std::string& listPath, std::function<void()> changed)
    : listPath_(listPath), changed_(std::move(changed)) {
    notification_ = FindFirstChangeNotificationA(FolderOf(listPath_).c_str(), FALSE, kWatched);
    if (notification_ == INVALID_HANDLE_VALUE) {
        return;
    }
    seen_ = StateNow();
    wait_ = std::make_unique<LoopWait>(notification_, [this] { FolderChanged(); });
}

TListFileWatch::~TListFileWatch() {
    wait_.reset();
    if (notification_ != INVALID_HANDLE_VALUE) {
        FindCloseChangeNotification(notification_);
    }
}

TListFileWatch::FileState TListFileWatch::StateNow() const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FileState state;
    if (GetFileAttributesExA(listPath_.c_str(), GetFileExInfoStandard, &data)) {
        state = {true, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime};
    }
    return state;
}

void TListFileWatch::FolderChanged() {
    FindNextChangeNotification(notification_);
    const FileState now = StateNow();
    const bool same = now.exists == seen_.exists && now.sizeHigh == seen_.sizeHigh &&
                      now.sizeLow == seen_.sizeLow &&
                      CompareFileTime(&now.written, &seen_.written) == 0;
    seen_ = now;
    if (!same) {
        changed_();
    }
}

}  // namespace vesk
