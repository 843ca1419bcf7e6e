#pragma once

// Watches the program's folder for a change of the lyrics list file made by another
// program: a change notification on the folder (FindFirstChangeNotificationA), waited on by
// the message loop, so that nothing runs at rest. The folder changes for other files too
// (Vesk.ini, an overlay text file written on every song change): the list's size and
// last-write time are looked at first, and only a change of those is reported, once the file
// has kept still for a moment: a file replaced in several steps (written beside it, put in its
// place, its attributes given back) is read once.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "common/win32/MessageLoop.h"
#include "common/win32/WinHandles.h"

namespace vesk {

class TListFileWatch {
public:
    // Watches the folder of listPath; changed runs on the user-interface thread and says
    // whether it could look at the file: false (held by its writer) has it called again a
    // second later, for a minute at most. Watches nothing when the folder cannot be watched,
    // and stops watching when the folder can no longer be.
    TListFileWatch(const std::string& listPath, std::function<bool()> changed);
    ~TListFileWatch();
    TListFileWatch(const TListFileWatch&) = delete;
    TListFileWatch& operator=(const TListFileWatch&) = delete;

private:
    struct FileState {
        bool exists = false;
        DWORD sizeHigh = 0;
        DWORD sizeLow = 0;
        FILETIME written{};
        bool operator==(const FileState& other) const;
    };
    FileState StateNow() const;
    void FolderChanged();
    void Settled();
    void SettleAfter(LONGLONG milliseconds);
    void StopWatchingFolder();

    std::string listPath_;
    std::function<bool()> changed_;
    int heldTries_ = 0;
    HANDLE notification_ = INVALID_HANDLE_VALUE;
    FileState seen_;
    std::unique_ptr<LoopWait> wait_;
    KernelHandle settle_;  // a timer that runs out once the file has kept still
    std::unique_ptr<LoopWait> settleWait_;
};

}  // namespace vesk
