// The pages "連携(&C)" (the player and Lyrics Master) and "その他(&E)" (the paste-assignment
// folder, the priority and the store link): both hold the connection settings group.

#include <windows.h>

#include <algorithm>
#include <string>

#include "common/win32/FileDialogs.h"
#include "settings/SettingRules.h"
#include "settings/win32/SettingFormRes.h"
#include "settings/win32/SettingPages.h"

namespace vesk {

namespace {

// The file dialog's filter: description and pattern, separated by "|".
constexpr ProgramText kPlayerFilter{"実行ファイル(*.exe)|*.exe"};
constexpr std::size_t kFileNameBytes = 1024;

// The pixel tables, for the tab control's display area.
constexpr ControlPlace kConnectionPlaces[] = {
    {IDC_GRP_PLAYER, 7, 3, 452, 101},
    {IDC_CBX_CONNECTIONCLOSE, 16, 20, 438, 16},
    {IDC_CBX_CONNECTIONON, 16, 41, 438, 16},
    {IDC_EDT_CONNECTIONPLAYER, 16, 65, 343, 20},
    {IDC_BTN_CONNECTIONPLAYEROPEN, 366, 63, 81, 23},
    {IDC_GRP_LYRICSMASTER, 7, 111, 452, 111},
    {IDC_CBX_LYRICSMASTER, 16, 127, 438, 16},
    {IDC_EDT_LYRICSMASTER, 16, 148, 431, 20},
    {IDC_LBL_LYRICSMASTER2, 16, 174, 431, 42},
};

constexpr ControlPlace kOtherPlaces[] = {
    {IDC_GRP_PASTESAVE, 7, 3, 452, 78},       {IDC_EDT_PASTESAVEPATH, 16, 23, 431, 20},
    {IDC_BTN_PASTESAVE, 271, 49, 84, 23},     {IDC_BTN_PASTESAVEDELETE, 362, 49, 84, 23},
    {IDC_GRP_PRIORITY, 7, 88, 452, 42},       {IDC_RGP_PRIORITY, 21, 106, 98, 16},
    {IDC_RGP_PRIORITY + 1, 126, 106, 98, 16}, {IDC_RGP_PRIORITY + 2, 231, 106, 98, 16},
    {IDC_RGP_PRIORITY + 3, 336, 106, 98, 16}, {IDC_GRP_OTHER, 7, 137, 452, 42},
    {IDC_CBX_NOTAMAZON, 16, 154, 431, 16},
};

}  // namespace

TConnectionPage::TConnectionPage() : TSettingPage(IDD_SETTING_CONNECTION, kConnectionPlaces) {}

void TConnectionPage::ShowKeys(const ConnectionSettings& settings) {
    SetChecked(IDC_CBX_CONNECTIONON, settings.connectionOn);
    SetItemText(IDC_EDT_CONNECTIONPLAYER, settings.player);
    SetChecked(IDC_CBX_CONNECTIONCLOSE, settings.closePlayer);
    SetChecked(IDC_CBX_LYRICSMASTER, settings.lyricsMasterOn);
    SetItemText(IDC_EDT_LYRICSMASTER, settings.lyricsMasterPath);
}

void TConnectionPage::SaveTo(ConnectionSettings& settings) const {
    settings.connectionOn = Checked(IDC_CBX_CONNECTIONON);
    settings.player = ItemText(IDC_EDT_CONNECTIONPLAYER);
    settings.closePlayer = Checked(IDC_CBX_CONNECTIONCLOSE);
    settings.lyricsMasterOn = Checked(IDC_CBX_LYRICSMASTER);
    settings.lyricsMasterPath = ItemText(IDC_EDT_LYRICSMASTER);
}

void TConnectionPage::btnConnectionPlayerOpenClick() {
    FileDialogOptions options;
    options.owner = Form();
    options.filter = kPlayerFilter.Ansi();
    options.pathBytes = kFileNameBytes;
    if (const std::optional<std::string> file = AskOpenFileName(options)) {
        SetItemText(IDC_EDT_CONNECTIONPLAYER, *file);
    }
}

bool TConnectionPage::OnCommand(int id, int code, HWND control) {
    if (id == IDC_BTN_CONNECTIONPLAYEROPEN && code == BN_CLICKED) {
        btnConnectionPlayerOpenClick();
        return true;
    }
    return TSettingPage::OnCommand(id, code, control);
}

TOtherPage::TOtherPage() : TSettingPage(IDD_SETTING_OTHER, kOtherPlaces) {}

bool TOtherPage::OnInit() {
    // The browser is owned by the settings dialog, which its owner (the application's
    // window) keeps company while it is disabled.
    fldOpen_ = std::make_unique<TSHBrowseForFolderEx>(Form(), GetWindow(Form(), GW_OWNER));
    fldOpen_->SelectFolder = sfManual;
    fldOpen_->ShowStyle = ssCenterScreen;
    return false;
}

void TOtherPage::ShowKeys(const ConnectionSettings& settings) {
    SetItemText(IDC_EDT_PASTESAVEPATH, settings.pasteSavePath);
    SetChecked(IDC_CBX_NOTAMAZON, settings.notAmazon);
    SetRadioIndex(IDC_RGP_PRIORITY, kPriorityItemCount,
                  RadioItemOf(settings.priority, kPriorityItemCount));
}

void TOtherPage::SaveTo(ConnectionSettings& settings) const {
    settings.pasteSavePath = ItemText(IDC_EDT_PASTESAVEPATH);
    settings.notAmazon = Checked(IDC_CBX_NOTAMAZON);
    settings.priority = RadioIndex(IDC_RGP_PRIORITY, kPriorityItemCount);
}

void TOtherPage::btnPasteSaveClick() {
    fldOpen_->SelectFolderName = ItemText(IDC_EDT_PASTESAVEPATH);
    if (fldOpen_->Execute() && !fldOpen_->FolderPath().empty()) {
        SetItemText(IDC_EDT_PASTESAVEPATH, PasteFolderOf(fldOpen_->FolderPath()));
    }
}

void TOtherPage::btnPasteSaveDeleteClick() {
    SetItemText(IDC_EDT_PASTESAVEPATH, "");
}

bool TOtherPage::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED && id == IDC_BTN_PASTESAVE) {
        btnPasteSaveClick();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_BTN_PASTESAVEDELETE) {
        btnPasteSaveDeleteClick();
        return true;
    }
    return TSettingPage::OnCommand(id, code, control);
}

}  // namespace vesk
