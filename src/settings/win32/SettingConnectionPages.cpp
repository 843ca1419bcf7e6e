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

}  // namespace

TConnectionPage::TConnectionPage() : TSettingPage(IDD_SETTING_CONNECTION) {}

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

TOtherPage::TOtherPage() : TSettingPage(IDD_SETTING_OTHER) {}

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
