#include "settings/win32/SettingPages.h"

#include <commctrl.h>


namespace vesk {

namespace {

// Hints wrap at this width (pixels).
constexpr int kHintWidth = 360;

}  // namespace

void TSettingPage::OnOK() {
    SendMessageA(Form(), WM_COMMAND, IDOK, 0);
}

void TSettingPage::OnCancel() {
    SendMessageA(Form(), WM_COMMAND, IDCANCEL, 0);
}

void TSettingPage::AddHint(int controlId, const ProgramText& hint) {
    if (tooltip_ == nullptr) {
        // Owned by the page: it goes when the page goes.
        tooltip_ =
            CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, nullptr, nullptr);
        if (tooltip_ == nullptr) {
            return;
        }
        SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, kHintWidth);
    }
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(controlId));
    std::string text = hint.Ansi();  // the tooltip keeps a copy
    tool.lpszText = text.data();
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TSettingPage::ChangeItemText(int id, std::string_view text) {
    if (ItemText(id) != text) {
        SetItemText(id, text);
    }
}

int TSettingPage::RadioIndex(int firstId, int count) const {
    for (int i = 0; i < count; ++i) {
        if (Checked(firstId + i)) {
            return i;
        }
    }
    return -1;
}

void TSettingPage::SetRadioIndex(int firstId, int count, int index) {
    for (int i = 0; i < count; ++i) {
        SetChecked(firstId + i, i == index);
    }
}

}  // namespace vesk
