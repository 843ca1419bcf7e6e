#pragma once

// The two pop-up menus of the notification-area icon: pupTaskLClick (left button, the
// lyrics window) and pupTaskRClick (right button, the commands).

#include <windows.h>

#include "app/TrayMenuState.h"
#include "common/win32/WinHandles.h"

namespace vesk {

// Command identifiers of the menu items.
enum TrayMenuItem : UINT {
    mitThisLyric = 101,
    mitOpenText,
    mitSetting,
    mitEditList,
    mitAmazon,
    mitLyricsMaster,
    mitPasteSave,
    mitReadme,
    mitAbout,
    mitExit,
    mitSearchOnline = 121,
    mitSyncEarlier,  // shown while a synced song is shown
    mitSyncLater,
    mitVisible = 201,
    mitReturnDisplay,
    mitBackTransparent,
    mitTopMost,
    mitBottom,
};

class TrayMenus {
public:
    TrayMenus();

    HMENU pupTaskLClick() const { return left_.Get(); }
    HMENU pupTaskRClick() const { return right_.Get(); }

    // Shows state: check marks and enabled items of the left menu; the right menu holds
    // exactly the items that are visible, without doubled separators.
    void Apply(const TrayMenuState& state);

private:
    void FillRightMenu(const TrayMenuState& state);

    MenuHandle left_;
    MenuHandle right_;
};

}  // namespace vesk
