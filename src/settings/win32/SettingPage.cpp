#include "settings/win32/SettingPages.h"

#include <commdlg.h>

#include "common/win32/LateBound.h"
#include "common/win32/SystemColors.h"
#include "common/win32/WinHandles.h"

namespace vesk {

namespace {

// The colour dialog's sixteen custom colours, kept for the program's run.
COLORREF g_customColors[16] = {};

}  // namespace

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

bool TSettingPage::AskColor(ColorPanel& panel) {
    CHOOSECOLORA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = Form();
    dialog.rgbResult = RgbOf(panel.color);
    dialog.lpCustColors = g_customColors;
    dialog.Flags = CC_RGBINIT;
    static const auto chooseColor = LateBound<decltype(ChooseColorA)>(kComDlg32, "ChooseColorA");
    if (chooseColor == nullptr || !chooseColor(&dialog)) {
        return false;  // cancelled: nothing changes
    }
    panel.color = dialog.rgbResult;
    InvalidateRect(Item(panel.id), nullptr, TRUE);
    return true;
}

void TSettingPage::DrawColorPanel(const DRAWITEMSTRUCT& item, const ColorPanel& panel) {
    RECT area = item.rcItem;
    DrawEdge(item.hDC, &area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const BrushHandle brush(CreateSolidBrush(RgbOf(panel.color)));
    FillRect(item.hDC, &area, brush.Get());
    if ((item.itemState & ODS_FOCUS) != 0) {
        InflateRect(&area, -2, -2);
        DrawFocusRect(item.hDC, &area);
    }
}

}  // namespace vesk
