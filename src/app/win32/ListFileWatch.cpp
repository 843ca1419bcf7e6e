#include "app/win32/ListFileWatch.h"

#include <utility>

namespace vesk {

namespace {

// Names made, removed or renamed (a file replaced in one step), sizes and write times.
constexpr DWORD kWatched =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

// How long the list file must keep still before it is read.
constexpr LONGLONG kSettleMs = 200;
// A file held by its writer is looked at again this often, this many times.
constexpr LONGLONG kHeldRetryMs = 1000;
constexpr int kMostHeldTries = 60;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

}  // namespace

TListFileWatch::TListFileWatch(const std::string& listPath, std::function<bool()> changed)
    : listPath_(listPath), changed_(std::move(changed)) {
    notification_ = FindFirstChangeNotificationA(FolderOf(listPath_).c_str(), FALSE, kWatched);
    if (notification_ == INVALID_HANDLE_VALUE) {
        return;
    }
    seen_ = StateNow();
    wait_ = std::make_unique<LoopWait>(notification_, [this] { FolderChanged(); });
    settle_.Reset(CreateWaitableTimerA(nullptr, FALSE, nullptr));
    if (settle_) {
        settleWait_ = std::make_unique<LoopWait>(settle_.Get(), [this] { Settled(); });
    }
}

TListFileWatch::~TListFileWatch() {
    settleWait_.reset();
    StopWatchingFolder();
}

void TListFileWatch::StopWatchingFolder() {
    wait_.reset();
    if (notification_ != INVALID_HANDLE_VALUE) {
        FindCloseChangeNotification(notification_);
        notification_ = INVALID_HANDLE_VALUE;
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

bool TListFileWatch::FileState::operator==(const FileState& other) const {
    return exists == other.exists && sizeHigh == other.sizeHigh && sizeLow == other.sizeLow &&
           CompareFileTime(&written, &other.written) == 0;
}

void TListFileWatch::FolderChanged() {
    // A notification that cannot wait again (its folder gone, a share dropped) would stay
    // signalled and take the loop from every message. Saves still look at the file first.
    if (!FindNextChangeNotification(notification_)) {
        StopWatchingFolder();
    }
    if (StateNow() == seen_) {
        return;
    }
    heldTries_ = 0;
    // Each change while it runs starts it again.
    SettleAfter(kSettleMs);
}

void TListFileWatch::SettleAfter(LONGLONG milliseconds) {
    if (!settle_) {
        Settled();
        return;
    }
    LARGE_INTEGER due{};
    due.QuadPart = -milliseconds * 10000;  // relative, in 100 ns
    SetWaitableTimer(settle_.Get(), &due, 0, nullptr, nullptr, FALSE);
}

void TListFileWatch::Settled() {
    const FileState now = StateNow();
    if (now == seen_) {
        return;
    }
    if (changed_() || !settle_ || ++heldTries_ >= kMostHeldTries) {
        seen_ = now;
        heldTries_ = 0;
        return;
    }
    SettleAfter(kHeldRetryMs);
}

}  // namespace vesk
