#include "common/win32/ToolTips.h"

#include <commctrl.h>

#include "common/win32/Window.h"
#include "common/win32/WindowDpi.h"

namespace vesk {

void ToolTips::Add(HWND dialog, HWND control, const std::string& hint) {
    // Gone with the dialog it belonged to: a stale handle has no owner.
    if (window_ == nullptr || GetWindow(window_, GW_OWNER) != dialog) {
        window_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                  ProgramInstance(), nullptr);
        if (window_ == nullptr) {
            return;
        }
        if (maxWidth_ > 0) {
            SendMessageA(window_, TTM_SETMAXTIPWIDTH, 0, WindowScale(dialog)(maxWidth_));
        }
    }
    // The whole ANSI structure, up to lpReserved (TTTOOLINFOA_V3_SIZE), which comctl32 6.0
    // takes: the program's manifest asks for 6.0, and every Windows Vesk runs on has it. The
    // shorter TTTOOLINFOA_V2_SIZE is for programs left with comctl32 5.x, which refuses the
    // longer size.
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    std::string text = hint;  // the tool tip keeps a copy
    tool.lpszText = text.data();
    SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace vesk
