// The two display pages: "表示1(&1)" with the font, the shadow and the live preview, and
// "表示2(&2)" with translucency, fitting and alignment.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "common/win32/SystemColors.h"
#include "common/win32/WinHandles.h"
#include "settings/SettingRules.h"
#include "settings/win32/SettingFormRes.h"
#include "settings/win32/SettingPages.h"

namespace vesk {

namespace {

constexpr ProgramText kStyleItems[kStyleItemCount] = {
    ProgramText{"標準"}, ProgramText{"斜体"}, ProgramText{"太字"}, ProgramText{"太字　斜体"}};

// The pixel tables, for the tab control's display area. A combo box's height includes its
// drop-down list; a number field's width includes its up-down.
constexpr ControlPlace kViewPlaces[] = {
    {IDC_GRP_FONT, 7, 3, 228, 146},         {IDC_LBL_TEXTSIZE, 16, 23, 84, 13},
    {IDC_EDT_TEXTSIZE, 102, 20, 60, 20},    {IDC_LBL_STYLE, 16, 47, 84, 13},
    {IDC_CMB_STYLE, 102, 44, 123, 130},     {IDC_LBL_FONT, 16, 72, 84, 13},
    {IDC_CMB_FONT, 102, 68, 123, 228},      {IDC_LBL_TEXTCOLOR, 16, 96, 84, 13},
    {IDC_PNL_TEXTCOLOR, 102, 93, 42, 21},   {IDC_LBL_BACKCOLOR, 16, 122, 84, 13},
    {IDC_PNL_BACKCOLOR, 102, 119, 42, 21},  {IDC_GRP_SHADOW, 242, 3, 217, 146},
    {IDC_LBL_SHADOWTOP, 250, 23, 74, 13},   {IDC_EDT_SHADOWTOP, 329, 20, 53, 20},
    {IDC_LBL_SHADOWLEFT, 250, 47, 74, 13},  {IDC_EDT_SHADOWLEFT, 329, 44, 53, 20},
    {IDC_LBL_SHADOWCOLOR, 250, 72, 74, 13}, {IDC_PNL_SHADOWCOLOR, 329, 68, 42, 21},
    {IDC_CBX_HIGHLIGHT, 250, 96, 201, 16},  {IDC_SLB_PREVIEW, 7, 156, 452, 65},
};

constexpr ControlPlace kView2Places[] = {
    {IDC_GRP_ALPHABLEND, 7, 3, 452, 85},        {IDC_CBX_ALPHABLEND, 16, 20, 263, 16},
    {IDC_TBR_ALPHABLEND, 16, 37, 378, 29},      {IDC_LBL_ALPHAVALUE, 399, 44, 49, 13},
    {IDC_LBL_TRANSPARENT, 19, 68, 53, 13},      {IDC_LBL_OPAQUE, 320, 68, 70, 13},
    {IDC_GRP_TEXTCHANGE, 7, 91, 452, 85},       {IDC_CBX_CHANGEWIDTH, 16, 107, 438, 16},
    {IDC_CBX_FITBOTTOM, 16, 125, 438, 16},      {IDC_CBX_FITRIGHT, 16, 143, 438, 16},
    {IDC_CBX_FADE, 16, 161, 438, 16},           {IDC_GRP_ALIGNMENT, 7, 179, 452, 42},
    {IDC_RGP_ALIGNMENT, 21, 197, 140, 16},      {IDC_RGP_ALIGNMENT + 1, 168, 197, 140, 16},
    {IDC_RGP_ALIGNMENT + 2, 315, 197, 137, 16},
};

int CALLBACK CollectFontFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param) {
    reinterpret_cast<std::vector<std::string>*>(param)->emplace_back(font->lfFaceName);
    return 1;
}

// The installed font families, once per character set they offer.
std::vector<std::string> InstalledFontFamilies() {
    std::vector<std::string> families;
    const WindowDc screen(nullptr);
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(screen.Get(), &all, CollectFontFamily, reinterpret_cast<LPARAM>(&families),
                        0);
    return families;
}

}  // namespace

TViewPage::TViewPage(SettingFormOwner& owner)
    : TSettingPage(IDD_SETTING_VIEW, kViewPlaces),
      owner_(owner),
      previewFont_(NewFont()),
      pnlTextColor_{IDC_PNL_TEXTCOLOR, previewFont_.color},
      pnlBackColor_{IDC_PNL_BACKCOLOR, keys::kBackColor.defaultValue},
      pnlShadowColor_{IDC_PNL_SHADOWCOLOR, keys::kShadowColor.defaultValue},
      updTextSize_(IDC_UPD_TEXTSIZE),
      udnShadowTop_(IDC_UDN_SHADOWTOP),
      udnShadowLeft_(IDC_UDN_SHADOWLEFT) {}

bool TViewPage::OnInit() {
    updTextSize_.Attach(Handle(), kTextSizeRange.minimum, kTextSizeRange.maximum);
    udnShadowTop_.Attach(Handle(), kShadowOffsetRange.minimum, kShadowOffsetRange.maximum);
    udnShadowLeft_.Attach(Handle(), kShadowOffsetRange.minimum, kShadowOffsetRange.maximum);
    for (const ProgramText& item : kStyleItems) {
        SendMessageA(Item(IDC_CMB_STYLE), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(item.Ansi().c_str()));
    }
    FillFontList();
    RECT area{};
    GetWindowRect(Item(IDC_SLB_PREVIEW), &area);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    preview_ = owner_.CreatePreview(Handle(), area);
    // Until the settings are read: the values of a missing file.
    ShowKeys(DisplaySettings{});
    ShowFont(NewFont());
    ShowPreview(NewFont());
    return false;
}

void TViewPage::FillFontList() {
    const HWND combo = Item(IDC_CMB_FONT);
    for (const std::string& face : FontListOf(InstalledFontFamilies())) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    }
}

void TViewPage::ShowKeys(const DisplaySettings& settings) {
    pnlBackColor_.color = settings.backColor;
    pnlShadowColor_.color = settings.shadowColor;
    udnShadowLeft_.SetPosition(settings.shadowLeft);
    udnShadowTop_.SetPosition(settings.shadowTop);
    SetChecked(IDC_CBX_HIGHLIGHT, settings.shadowHighLight);
    InvalidateRect(Item(IDC_PNL_BACKCOLOR), nullptr, TRUE);
    InvalidateRect(Item(IDC_PNL_SHADOWCOLOR), nullptr, TRUE);
}

void TViewPage::ShowFont(const Font& font) {
    updTextSize_.SetPosition(font.size);
    SetItemText(IDC_CMB_FONT, font.name);
    pnlTextColor_.color = font.color;
    InvalidateRect(Item(IDC_PNL_TEXTCOLOR), nullptr, TRUE);
    SendMessageA(Item(IDC_CMB_STYLE), CB_SETCURSEL, static_cast<WPARAM>(StyleItemOf(font.style)),
                 0);
}

void TViewPage::ShowPreview(const Font& font) {
    previewFont_ = font;
    if (preview_ == nullptr) {
        return;
    }
    preview_->SetPreviewFont(previewFont_);
    preview_->SetPreviewBackground(pnlBackColor_.color);
    preview_->SetPreviewShadowColor(pnlShadowColor_.color);
    UpdatePreviewShadow();
}

void TViewPage::SaveTo(DisplaySettings& settings) const {
    Font font = NewFont();
    font.color = pnlTextColor_.color;
    font.size = updTextSize_.Position();
    font.name = ItemText(IDC_CMB_FONT);
    font.style =
        FontStyleOfItem(static_cast<int>(SendMessageA(Item(IDC_CMB_STYLE), CB_GETCURSEL, 0, 0)));
    settings.font = std::move(font);
    settings.backColor = pnlBackColor_.color;
    settings.shadowColor = pnlShadowColor_.color;
    settings.shadowLeft = udnShadowLeft_.Position();
    settings.shadowTop = udnShadowTop_.Position();
    settings.shadowHighLight = Checked(IDC_CBX_HIGHLIGHT);
}

void TViewPage::updTextSizeClick() {
    previewFont_.size = updTextSize_.Position();
    if (preview_ != nullptr) {
        preview_->SetPreviewFont(previewFont_);
    }
}

void TViewPage::cmbFontChange(const std::string& face) {
    previewFont_.name = face;
    if (preview_ != nullptr) {
        preview_->SetPreviewFont(previewFont_);
    }
}

void TViewPage::cmbStyleChange() {
    const int item = static_cast<int>(SendMessageA(Item(IDC_CMB_STYLE), CB_GETCURSEL, 0, 0));
    if (item < 0 || preview_ == nullptr) {
        return;  // no style chosen: the preview stays as it is
    }
    previewFont_.style = FontStyleOfItem(item);
    preview_->SetPreviewFont(previewFont_);
}

void TViewPage::PanelClick(ColorPanel& panel) {
    if (!AskColor(panel) || preview_ == nullptr) {
        return;
    }
    if (&panel == &pnlTextColor_) {
        previewFont_.color = panel.color;
        preview_->SetPreviewFont(previewFont_);
    } else if (&panel == &pnlBackColor_) {
        preview_->SetPreviewBackground(panel.color);
    } else {
        preview_->SetPreviewShadowColor(panel.color);
    }
}

void TViewPage::UpdatePreviewShadow() {
    if (preview_ != nullptr) {
        preview_->SetPreviewShadow(PreviewShadowLayers(
            udnShadowLeft_.Position(), udnShadowTop_.Position(), Checked(IDC_CBX_HIGHLIGHT)));
    }
}

ColorPanel* TViewPage::PanelOf(int id) {
    for (ColorPanel* panel : {&pnlTextColor_, &pnlBackColor_, &pnlShadowColor_}) {
        if (panel->id == id) {
            return panel;
        }
    }
    return nullptr;
}

bool TViewPage::OnCommand(int id, int code, HWND control) {
    if (id == IDC_CMB_FONT && code == CBN_EDITCHANGE) {
        cmbFontChange(ItemText(IDC_CMB_FONT));
        return true;
    }
    if (id == IDC_CMB_FONT && code == CBN_SELCHANGE) {
        // The edit shows the chosen item only after this notification.
        const LRESULT item = SendMessageA(control, CB_GETCURSEL, 0, 0);
        const LRESULT length = SendMessageA(control, CB_GETLBTEXTLEN, item, 0);
        if (item >= 0 && length >= 0) {
            std::string face(static_cast<std::size_t>(length) + 1, '\0');
            SendMessageA(control, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(face.data()));
            face.resize(static_cast<std::size_t>(length));
            cmbFontChange(face);
        }
        return true;
    }
    if (id == IDC_CMB_STYLE && code == CBN_SELCHANGE) {
        cmbStyleChange();
        return true;
    }
    if (code == BN_CLICKED) {
        if (ColorPanel* panel = PanelOf(id)) {
            PanelClick(*panel);
            return true;
        }
        if (id == IDC_CBX_HIGHLIGHT) {
            UpdatePreviewShadow();
            return true;
        }
    }
    return TSettingPage::OnCommand(id, code, control);
}

void TViewPage::OnScroll(int controlId, int code) {
    if (code != SB_THUMBPOSITION) {
        return;
    }
    if (controlId == IDC_UPD_TEXTSIZE) {
        updTextSizeClick();
    } else if (controlId == IDC_UDN_SHADOWTOP || controlId == IDC_UDN_SHADOWLEFT) {
        UpdatePreviewShadow();
    }
}

bool TViewPage::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    if (message != WM_DRAWITEM) {
        return false;
    }
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const ColorPanel* panel = PanelOf(static_cast<int>(item.CtlID));
    if (panel == nullptr) {
        return false;
    }
    DrawColorPanel(item, *panel);
    result = TRUE;
    return true;
}

TView2Page::TView2Page() : TSettingPage(IDD_SETTING_VIEW2, kView2Places) {}

bool TView2Page::OnInit() {
    const HWND slider = Item(IDC_TBR_ALPHABLEND);
    SendMessageA(slider, TBM_SETRANGE, FALSE,
                 MAKELPARAM(kAlphaBlendRange.minimum, kAlphaBlendRange.maximum));
    SendMessageA(slider, TBM_SETTICFREQ, kAlphaBlendRange.step, 0);
    SendMessageA(slider, TBM_SETPAGESIZE, 0, kAlphaBlendRange.step);
    ShowKeys(DisplaySettings{});
    return false;
}

void TView2Page::ShowKeys(const DisplaySettings& settings) {
    SetChecked(IDC_CBX_ALPHABLEND, settings.alphaBlend);
    // The slider keeps the value within its range.
    SendMessageA(Item(IDC_TBR_ALPHABLEND), TBM_SETPOS, TRUE, settings.alphaBlendValue);
    tbrAlphaBlendChange();
    SetChecked(IDC_CBX_CHANGEWIDTH, settings.changeWidth);
    SetChecked(IDC_CBX_FITBOTTOM, settings.fitBottom);
    SetChecked(IDC_CBX_FITRIGHT, settings.fitRight);
    SetChecked(IDC_CBX_FADE, settings.fadeInOut);
    SetRadioIndex(IDC_RGP_ALIGNMENT, kAlignmentItemCount,
                  RadioItemOf(settings.alignment, kAlignmentItemCount));
}

void TView2Page::SaveTo(DisplaySettings& settings) const {
    settings.alphaBlend = Checked(IDC_CBX_ALPHABLEND);
    settings.alphaBlendValue =
        static_cast<std::int32_t>(SendMessageA(Item(IDC_TBR_ALPHABLEND), TBM_GETPOS, 0, 0));
    settings.changeWidth = Checked(IDC_CBX_CHANGEWIDTH);
    settings.fitBottom = Checked(IDC_CBX_FITBOTTOM);
    settings.fitRight = Checked(IDC_CBX_FITRIGHT);
    settings.fadeInOut = Checked(IDC_CBX_FADE);
    settings.alignment = RadioIndex(IDC_RGP_ALIGNMENT, kAlignmentItemCount);
}

void TView2Page::tbrAlphaBlendChange() {
    const LRESULT value = SendMessageA(Item(IDC_TBR_ALPHABLEND), TBM_GETPOS, 0, 0);
    SetItemText(IDC_LBL_ALPHAVALUE, std::to_string(value));
}

void TView2Page::OnScroll(int controlId, int) {
    if (controlId == IDC_TBR_ALPHABLEND) {
        tbrAlphaBlendChange();
    }
}

}  // namespace vesk
