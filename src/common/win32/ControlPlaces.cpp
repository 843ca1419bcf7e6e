#include "common/win32/ControlPlaces.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace vesk {

namespace {

bool IsAlignedUpDown(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof(name));
    return lstrcmpiA(name, UPDOWN_CLASSA) == 0 &&
           (GetWindowLongA(window, GWL_STYLE) & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) != 0;
}

}  // namespace

void PlaceControls(HWND dialog, std::span<const ControlPlace> table, const DpiScale& scale) {
    std::vector<HWND> placed;
    placed.reserve(table.size());
    for (const ControlPlace& row : table) {
        const HWND control = GetDlgItem(dialog, row.id);
        if (control == nullptr) {
            continue;
        }
        SetWindowPos(control, nullptr, scale(row.left), scale(row.top), scale(row.width),
                     scale(row.height), SWP_NOZORDER | SWP_NOACTIVATE);
        placed.push_back(control);
    }
    // An up-down narrows its buddy by its own width each time it is attached: only the
    // buddies just given their whole width.
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsAlignedUpDown(child)) {
            continue;
        }
        const auto buddy = reinterpret_cast<HWND>(SendMessageA(child, UDM_GETBUDDY, 0, 0));
        if (buddy != nullptr && std::find(placed.begin(), placed.end(), buddy) != placed.end()) {
            SendMessageA(child, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
        }
    }
}

}  // namespace vesk
