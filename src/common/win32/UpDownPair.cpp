#include "common/win32/UpDownPair.h"

#include <commctrl.h>

namespace vesk {

void UpDownPair::Attach(HWND dialog, int minimum, int maximum, int step) {
    dialog_ = dialog;
    SendMessageA(Control(), UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
    UDACCEL accel{0, static_cast<UINT>(step)};
    SendMessageA(Control(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

int UpDownPair::Position() const {
    return static_cast<int>(SendMessageA(Control(), UDM_GETPOS32, 0, 0));
}

void UpDownPair::SetPosition(int position) {
    SendMessageA(Control(), UDM_SETPOS32, 0, position);
}

}  // namespace vesk
