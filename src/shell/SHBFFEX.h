#pragma once

// The folder selection dialog's rules that need no shell: the choices of root and initial
// folder with the special folders they stand for, the browser options with their flags,
// where the browser window is placed, and which chosen folders the program can use. The component
// that runs the shell's folder browser, TSHBrowseForFolderEx, is in win32/Win32SHBFFEX.h.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vesk {

// The root of the folder tree. Each value stands for the special folder of its position
// in kSpecialFolders; rfManual for the folder named by RootFolderName.
enum TRootFolder {
    rfDesktop,
    rfManual,
    rfDrives,
    rfDesktopDir,
    rfFavorites,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfTemplates,
};

// The folder selected when the browser opens; the same positions as TRootFolder, sfManual
// for the folder named by SelectFolderName.
enum TSelectFolder {
    sfDesktop,
    sfManual,
    sfDrives,
    sfDesktopDir,
    sfFavorites,
    sfPrograms,
    sfRecent,
    sfSendTo,
    sfStartMenu,
    sfStartup,
    sfTemplates,
};

// Special folder ids (CSIDL_*) by position; the manual position falls back to the desktop
// when its name cannot be used.
inline constexpr int kSpecialFolders[] = {
    0,   // CSIDL_DESKTOP
    0,   // manual: CSIDL_DESKTOP when the name cannot be used
    17,  // CSIDL_DRIVES
    16,  // CSIDL_DESKTOPDIRECTORY
    6,   // CSIDL_FAVORITES
    2,   // CSIDL_PROGRAMS
    8,   // CSIDL_RECENT
    9,   // CSIDL_SENDTO
    11,  // CSIDL_STARTMENU
    7,   // CSIDL_STARTUP
    21,  // CSIDL_TEMPLATES
};
inline constexpr int kManualPosition = 1;

// The special folder of a root or initial-folder choice.
int SpecialFolderOf(int position);

// Browser options, in the order in which their flags are taken.
enum TSHBrowseOption {
    sboDontGoBelowDomain,      // BIF_DONTGOBELOWDOMAIN
    sboReturnFSAncestors,      // BIF_RETURNFSANCESTORS
    sboReturnOnlyFSDirs,       // BIF_RETURNONLYFSDIRS
    sboStatusTextAndShowPath,  // BIF_STATUSTEXT, and the selected path is the status text
    sboStatusText,             // BIF_STATUSTEXT
};

// A set of options.
class TSHBrowseOptions {
public:
    constexpr TSHBrowseOptions() = default;
    constexpr TSHBrowseOptions(std::initializer_list<TSHBrowseOption> options) {
        for (TSHBrowseOption option : options) {
            bits_ |= Bit(option);
        }
    }
    constexpr bool Has(TSHBrowseOption option) const { return (bits_ & Bit(option)) != 0; }
    constexpr bool operator==(const TSHBrowseOptions&) const = default;

private:
    static constexpr std::uint32_t Bit(TSHBrowseOption option) { return 1u << option; }
    std::uint32_t bits_ = 0;
};

// The browser's flags (BIF_*) for a set of options, and whether the selected path becomes
// the status text. The options are taken in their order; sboStatusTextAndShowPath ends
// the walk, so sboStatusText is not looked at when it is there.
struct BrowseFlags {
    std::uint32_t flags = 0;
    bool showPath = false;
    bool operator==(const BrowseFlags&) const = default;
};
BrowseFlags BrowseFlagsOf(TSHBrowseOptions options);

// Where the browser window is placed when it opens: not moved, centred on the screen's
// work area, or at the top-left corner of its owner form's client area.
enum TShowStyle { ssNone, ssCenterScreen, ssClient };

// What the selection-change event asks of the OK button.
enum TOKButtonState : int {
    obsUnchanged = 0,
    obsEnabled = 1,
    obsDisabled = 2,
};

// ssCenterScreen: the window's left edge at (work-area width - window width) / 2, its top
// at (work-area height - window height) / 3, both truncated toward zero and measured from
// the screen's origin (the work area's own left and top are not added, so a task bar at
// the top does not move the window down).
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};
ScreenPoint CenterScreenPosition(int workAreaWidth, int workAreaHeight, int windowWidth,
                                 int windowHeight);

// Why a chosen folder cannot be used. Its path must be in the ANSI code page, every
// character as itself (a best fit or "?" would name another folder, or none), and fit in
// MAX_PATH bytes with its NUL; a path that fails both is told the first.
enum class FolderRefusal { kNone, kNotInCodePage, kTooLong };

struct FolderChoice {
    std::string path;  // in the ANSI code page; empty when refused
    FolderRefusal refusal = FolderRefusal::kNone;
    bool operator==(const FolderChoice&) const = default;
};

// The choice of a folder by its path as the shell gives it (UTF-16), in the current text
// platform's code page. An empty path (an item that is no file-system folder) stays empty
// and is not refused.
FolderChoice FolderChoiceOf(std::u16string_view path);

// The message (ANSI) that tells the user why a folder is refused; empty for kNone.
const std::string& RefusalMessage(FolderRefusal refusal);

}  // namespace vesk
