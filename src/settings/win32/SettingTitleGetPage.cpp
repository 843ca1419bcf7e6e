// The page "タイトル取得(&T)": where the player's window is and how the song title is cut out
// of its caption, with the live test that shows both for the values being edited.

#include "common/SongTitle.h"
#include "settings/SettingRules.h"
#include "settings/win32/SettingFormRes.h"
#include "settings/win32/SettingPages.h"
#include "title/untTitleGet.h"

namespace vesk {

namespace {

constexpr ProgramText kGetTitleHint{
    "プレイヤーと同じクラス名のソフトがある場合などに使用します．通常は必ず空白にして下さい．"};
constexpr ProgramText kWmpHint{
    "Samurizeのプラグインwmp3.vbsに付属しているwmpuice.dllがインストールされている必要があります"};
constexpr ProgramText kDelimitersHint{"並べることで複数入力できます．半角文字限定．"};
constexpr ProgramText kTitlePosHint{
    "区切り文字で区切られたときに曲名が何番目にあるかを指定してください"};
constexpr ProgramText kTopCutHint{"指定した文字数だけ前方から削ります"};
constexpr ProgramText kBottomCutHint{"指定した文字数だけ後方から削ります"};

// The pixel table, for the tab control's display area. A number field's width includes its
// up-down.
constexpr ControlPlace kPlaces[] = {
    {IDC_GRP_FINDWINDOW, 7, 0, 452, 91},      {IDC_LBL_GETCLASSNAME, 16, 15, 228, 13},
    {IDC_LED_GETCLASSNAME, 16, 29, 210, 20},  {IDC_BTN_SEARCHCLASS, 233, 28, 109, 23},
    {IDC_BTN_WMP, 348, 28, 63, 23},           {IDC_LBL_GETTITLE, 16, 54, 438, 13},
    {IDC_LED_GETTITLE, 16, 68, 210, 20},      {IDC_LBL_WINDOWTITLE, 233, 72, 221, 13},
    {IDC_GRP_SONGTITLE, 7, 94, 452, 72},      {IDC_LBL_DELIMITERS, 16, 109, 98, 13},
    {IDC_LED_DELIMITERS, 16, 124, 91, 20},    {IDC_LBL_TITLEPOS, 123, 109, 98, 13},
    {IDC_LED_TITLEPOS, 123, 124, 70, 20},     {IDC_LBL_TOPCUT, 235, 109, 98, 13},
    {IDC_LED_TOPCUT, 235, 124, 70, 20},       {IDC_LBL_BOTTOMCUT, 347, 109, 98, 13},
    {IDC_LED_BOTTOMCUT, 347, 124, 70, 20},    {IDC_LBL_SONGTITLE, 16, 148, 438, 13},
    {IDC_GRP_TITLEGETOTHER, 7, 169, 452, 52}, {IDC_CBX_SENSITIVE, 16, 184, 438, 16},
    {IDC_LBL_CHECKTIME, 16, 203, 210, 13},    {IDC_LED_CHECKTIME, 231, 200, 77, 20},
};

}  // namespace

TTitleGetPage::TTitleGetPage(SettingFormOwner& owner)
    : TSettingPage(IDD_SETTING_TITLEGET, kPlaces),
      owner_(owner),
      udnTitlePos_(IDC_UDN_TITLEPOS),
      udnTopCut_(IDC_UDN_TOPCUT),
      udnBottomCut_(IDC_UDN_BOTTOMCUT),
      udnCheckTime_(IDC_UDN_CHECKTIME) {}

bool TTitleGetPage::OnInit() {
    const struct {
        UpDownPair& field;
        NumberRange range;
    } fields[] = {
        {udnTitlePos_, kTitlePosRange},
        {udnTopCut_, kCutRange},
        {udnBottomCut_, kCutRange},
        {udnCheckTime_, kCheckTimeRange},
    };
    for (const auto& [field, range] : fields) {
        field.Attach(Handle(), range.minimum, range.maximum, range.step);
        field.SetPosition(range.minimum);
    }
    AddHint(IDC_LED_GETTITLE, kGetTitleHint);
    AddHint(IDC_BTN_WMP, kWmpHint);
    AddHint(IDC_LED_DELIMITERS, kDelimitersHint);
    AddHint(IDC_LED_TITLEPOS, kTitlePosHint);
    AddHint(IDC_LED_TOPCUT, kTopCutHint);
    AddHint(IDC_LED_BOTTOMCUT, kBottomCutHint);
    return false;
}

void TTitleGetPage::ShowKeys(const TitleGetSettings& settings) {
    ChangeItemText(IDC_LED_GETCLASSNAME, settings.getClassName);
    ChangeItemText(IDC_LED_GETTITLE, settings.getTitle);
    udnTopCut_.SetPosition(settings.topCut);
    udnBottomCut_.SetPosition(settings.bottomCut);
    udnTitlePos_.SetPosition(settings.titlePos);
    ChangeItemText(IDC_LED_DELIMITERS, settings.delimiters);
    udnCheckTime_.SetPosition(settings.checkTime);
    SetChecked(IDC_CBX_SENSITIVE, settings.sensetive);
}

TitleGetSettings TTitleGetPage::Values() const {
    TitleGetSettings settings;
    settings.getClassName = ItemText(IDC_LED_GETCLASSNAME);
    settings.getTitle = ItemText(IDC_LED_GETTITLE);
    settings.topCut = udnTopCut_.Position();
    settings.bottomCut = udnBottomCut_.Position();
    settings.titlePos = udnTitlePos_.Position();
    settings.delimiters = ItemText(IDC_LED_DELIMITERS);
    settings.checkTime = udnCheckTime_.Position();
    settings.sensetive = Checked(IDC_CBX_SENSITIVE);
    return settings;
}

void TTitleGetPage::ledGetClassNameChange() {
    const TTitleGet& titleGet = TitleGet();
    const std::string caption =
        titleGet.GetPlayerCaption(ItemText(IDC_LED_GETCLASSNAME), ItemText(IDC_LED_GETTITLE));
    SetItemText(IDC_LBL_WINDOWTITLE, caption.empty() ? kPlayerNotFound : caption);
    const std::string delimiters = ItemText(IDC_LED_DELIMITERS).substr(0, kDelimitersMaxBytes);
    SetItemText(IDC_LBL_SONGTITLE,
                titleGet.GetSongTitle(caption, delimiters, udnTitlePos_.Position(),
                                      udnTopCut_.Position(), udnBottomCut_.Position()));
}

// The field's change runs the live test; the same name again runs it here, so that the
// test shows the player's caption as it is now.
void TTitleGetPage::SetClassNameText(const std::string& className) {
    if (ItemText(IDC_LED_GETCLASSNAME) != className) {
        SetItemText(IDC_LED_GETCLASSNAME, className);
    } else {
        ledGetClassNameChange();
    }
}

// The two texts run the live test as they change; the three numbers do not, so the labels
// show the test of the numbers before the preset until the next change.
void TTitleGetPage::btnWmpClick() {
    const WmpPreset preset = WmpPresetValues();
    ChangeItemText(IDC_LED_GETCLASSNAME, preset.getClassName);
    ChangeItemText(IDC_LED_GETTITLE, preset.getTitle);
    udnTopCut_.SetPosition(preset.topCut);
    udnBottomCut_.SetPosition(preset.bottomCut);
    udnTitlePos_.SetPosition(preset.titlePos);
}

bool TTitleGetPage::OnCommand(int id, int code, HWND control) {
    if (code == EN_CHANGE &&
        (id == IDC_LED_GETCLASSNAME || id == IDC_LED_GETTITLE || id == IDC_LED_DELIMITERS)) {
        ledGetClassNameChange();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_BTN_WMP) {
        btnWmpClick();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_BTN_SEARCHCLASS) {
        btnSearchClassClick();
        return true;
    }
    return TSettingPage::OnCommand(id, code, control);
}

void TTitleGetPage::OnScroll(int controlId, int code) {
    if (code == SB_THUMBPOSITION &&
        (controlId == IDC_UDN_TITLEPOS || controlId == IDC_UDN_TOPCUT ||
         controlId == IDC_UDN_BOTTOMCUT || controlId == IDC_UDN_CHECKTIME)) {
        udnTitlePosClick();
    }
}

}  // namespace vesk
