#include "shell/win32/Win32SHBFFEX.h"

#include <shlobj.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "common/win32/ComApartment.h"
#include "common/win32/ErrorReport.h"
#include "common/win32/WideText.h"
#include "common/win32/WinHandles.h"
#include "shell/win32/FolderItemPath.h"

namespace vesk {

// The portable flags and special folders go to the shell as they are.
static_assert(BIF_DONTGOBELOWDOMAIN == 0x0002 && BIF_RETURNFSANCESTORS == 0x0008 &&
              BIF_RETURNONLYFSDIRS == 0x0001 && BIF_STATUSTEXT == 0x0004);
static_assert(kSpecialFolders[rfDrives] == CSIDL_DRIVES &&
              kSpecialFolders[rfDesktopDir] == CSIDL_DESKTOPDIRECTORY &&
              kSpecialFolders[rfFavorites] == CSIDL_FAVORITES &&
              kSpecialFolders[rfPrograms] == CSIDL_PROGRAMS &&
              kSpecialFolders[rfRecent] == CSIDL_RECENT &&
              kSpecialFolders[rfSendTo] == CSIDL_SENDTO &&
              kSpecialFolders[rfStartMenu] == CSIDL_STARTMENU &&
              kSpecialFolders[rfStartup] == CSIDL_STARTUP &&
              kSpecialFolders[rfTemplates] == CSIDL_TEMPLATES &&
              kSpecialFolders[0] == CSIDL_DESKTOP);

namespace {

// Name buffers: the display name as the browser fills it, and a path.
constexpr std::size_t kDisplayNameBytes = 260;
constexpr std::size_t kPathBufferBytes = 513;

// An item identifier list or a buffer from the shell's allocator, freed with it.
class ShellMemory {
public:
    explicit ShellMemory(IMalloc& allocator, void* memory = nullptr)
        : allocator_(allocator), memory_(memory) {}
    ~ShellMemory() {
        if (memory_ != nullptr) {
            allocator_.Free(memory_);
        }
    }
    ShellMemory(const ShellMemory&) = delete;
    ShellMemory& operator=(const ShellMemory&) = delete;

    void* Get() const { return memory_; }
    LPITEMIDLIST Item() const { return static_cast<LPITEMIDLIST>(memory_); }
    void Reset(void* memory) {
        if (memory_ != nullptr) {
            allocator_.Free(memory_);
        }
        memory_ = memory;
    }

private:
    IMalloc& allocator_;
    void* memory_;
};

// The item of a choice: a manual name parsed by the desktop folder and accepted when it is
// a folder or has subfolders; otherwise (and for every other choice) its special folder.
LPITEMIDLIST ItemOf(IShellFolder& desktop, IMalloc& allocator, HWND owner, int position,
                    const std::string& name) {
    if (position == kManualPosition && !name.empty()) {
        std::wstring wide = Widen(name);
        ULONG eaten = 0;
        LPITEMIDLIST parsed = nullptr;
        if (SUCCEEDED(
                desktop.ParseDisplayName(owner, nullptr, wide.data(), &eaten, &parsed, nullptr)) &&
            parsed != nullptr) {
            SFGAOF attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
            LPCITEMIDLIST items[] = {parsed};
            if (SUCCEEDED(desktop.GetAttributesOf(1, items, &attributes)) &&
                (attributes & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER)) != 0) {
                return parsed;
            }
            allocator.Free(parsed);
        }
    }
    LPITEMIDLIST special = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, SpecialFolderOf(position), &special))) {
        return nullptr;
    }
    return special;
}

std::string PathOfItem(LPCITEMIDLIST item) {
    char path[kPathBufferBytes] = {};
    if (item == nullptr || !SHGetPathFromIDListA(item, path)) {
        return {};
    }
    return path;
}

// The components that run Execute on this thread, innermost last: the browser's callback
// takes only these for its data.
thread_local std::vector<TSHBrowseForFolderEx*> g_running;

}  // namespace

TSHBrowseForFolderEx::TSHBrowseForFolderEx(HWND owner, HWND applicationWindow)
    : owner_(owner), applicationWindow_(applicationWindow) {}

bool TSHBrowseForFolderEx::Execute() {
    folderPath_.clear();
    displayName_.clear();
    EnterComApartment();  // the browser's items and the manual folder's parsing need it
    ComPtr<IMalloc> allocator;
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetMalloc(allocator.Put())) || FAILED(SHGetDesktopFolder(desktop.Put()))) {
        return false;
    }
    const HWND parent = owner_ != nullptr ? owner_ : applicationWindow_;
    const ShellMemory initial(*allocator.Get(), ItemOf(*desktop.Get(), *allocator.Get(), parent,
                                                       SelectFolder, SelectFolderName));
    const ShellMemory root(*allocator.Get(), ItemOf(*desktop.Get(), *allocator.Get(), parent,
                                                    RootFolder, RootFolderName));
    if (root.Get() == nullptr) {
        return false;
    }
    const ShellMemory name(*allocator.Get(), allocator->Alloc(kDisplayNameBytes));
    if (name.Get() == nullptr) {
        return false;
    }
    static_cast<char*>(name.Get())[0] = '\0';

    const BrowseFlags flags = BrowseFlagsOf(Options);
    initialItem_ = initial.Get();
    showPath_ = flags.showPath;
    BROWSEINFOA info{};
    // Owned by the form that asked, so that the form cannot be used or closed under it.
    info.hwndOwner = parent;
    info.pidlRoot = root.Item();
    info.pszDisplayName = static_cast<char*>(name.Get());
    info.lpszTitle = Caption.c_str();
    info.ulFlags = flags.flags;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);

    if (applicationWindow_ != nullptr) {
        EnableWindow(applicationWindow_, FALSE);
    }
    g_running.push_back(this);
    ShellMemory chosen(*allocator.Get(), SHBrowseForFolderA(&info));
    std::erase(g_running, this);
    if (applicationWindow_ != nullptr) {
        EnableWindow(applicationWindow_, TRUE);
    }
    if (parent != nullptr) {
        SetForegroundWindow(parent);
    }
    initialItem_ = nullptr;

    if (chosen.Get() == nullptr) {
        return false;
    }
    // A folder the ANSI functions cannot reach is told and taken as no choice; nothing of
    // this object is used once the message box has returned.
    FolderChoice choice = FolderChoiceOfItem(chosen.Item());
    if (choice.refusal != FolderRefusal::kNone) {
        MessageBoxA(parent, RefusalMessage(choice.refusal).c_str(), ApplicationTitle(),
                    MB_OK | MB_ICONWARNING);
        return false;
    }
    displayName_ = static_cast<const char*>(name.Get());
    folderPath_ = std::move(choice.path);
    return true;
}

void TSHBrowseForFolderEx::SelectionChanged(HWND wnd, const std::string& path,
                                            std::string& showText, TOKButtonState& okButtonState) {
    if (OnSelectionChanged) {
        OnSelectionChanged(*this, wnd, path, showText, okButtonState);
    }
}

int CALLBACK TSHBrowseForFolderEx::BrowseCallback(HWND wnd, UINT message, LPARAM param,
                                                  LPARAM data) {
    auto* self = reinterpret_cast<TSHBrowseForFolderEx*>(data);
    if (self == nullptr || std::find(g_running.begin(), g_running.end(), self) == g_running.end()) {
        return 0;
    }
    self->Callback(wnd, message, param);
    return 0;
}

void TSHBrowseForFolderEx::Callback(HWND wnd, UINT message, LPARAM param) {
    std::string path;
    std::string showText;
    TOKButtonState okButtonState = obsUnchanged;
    if (message == BFFM_INITIALIZED) {
        if (initialItem_ != nullptr) {
            SendMessageA(wnd, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(initialItem_));
        }
        Place(wnd);
    } else if (message == BFFM_SELCHANGED) {
        path = PathOfItem(reinterpret_cast<LPCITEMIDLIST>(param));
        SelectionChanged(wnd, path, showText, okButtonState);
    }
    if (showPath_) {
        showText = path;
    }
    SendMessageA(wnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(showText.c_str()));
    if (okButtonState == obsEnabled) {
        SendMessageA(wnd, BFFM_ENABLEOK, 0, 1);
    } else if (okButtonState == obsDisabled) {
        SendMessageA(wnd, BFFM_ENABLEOK, 0, 0);
    }
}

void TSHBrowseForFolderEx::Place(HWND wnd) const {
    constexpr UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER;
    if (ShowStyle == ssCenterScreen) {
        RECT window{};
        RECT workArea{};
        if (!GetWindowRect(wnd, &window) ||
            !SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0)) {
            return;
        }
        const ScreenPoint at =
            CenterScreenPosition(workArea.right - workArea.left, workArea.bottom - workArea.top,
                                 window.right - window.left, window.bottom - window.top);
        SetWindowPos(wnd, nullptr, at.x, at.y, 0, 0, kMoveOnly);
    } else if (ShowStyle == ssClient && owner_ != nullptr && IsWindow(owner_)) {
        POINT origin{0, 0};
        ClientToScreen(owner_, &origin);
        SetWindowPos(wnd, nullptr, origin.x, origin.y, 0, 0, kMoveOnly);
    }
}

}  // namespace vesk
