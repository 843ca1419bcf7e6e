#include "settings/win32/SettingPages.h"

namespace vesk {

void TSettingPage::OnOK() {
    SendMessageA(Form(), WM_COMMAND, IDOK, 0);
}

void TSettingPage::OnCancel() {
    SendMessageA(Form(), WM_COMMAND, IDCANCEL, 0);
}

void TSettingPage::AddHint(int controlId, const ProgramText& hint) {
    hints_.Add(Handle(), Item(controlId), hint.Ansi());
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
