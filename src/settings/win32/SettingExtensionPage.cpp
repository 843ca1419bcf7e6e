// The page "拡張(&X)": the lyrics folder and the overlay text file, the extension settings
// group.

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "common/win32/LateBound.h"
#include "settings/SettingRules.h"
#include "settings/win32/SettingExtensionRes.h"
#include "settings/win32/SettingPages.h"

namespace vesk {

namespace {

constexpr ProgramText kOverlayFilter{"テキストファイル(*.txt)|*.txt|全てのファイル(*.*)|*.*"};
constexpr char kOverlayExtension[] = "txt";
constexpr std::size_t kFileNameBytes = 1024;

}  // namespace

TExtensionPage::TExtensionPage() : TSettingPage(IDD_SETTING_EXTENSION) {}

bool TExtensionPage::OnInit() {
    // As the paste-assignment folder's: owned by the settings dialog, whose owner (the
    // application's window) is disabled with it.
    fldOpen_ = std::make_unique<TSHBrowseForFolderEx>(Form(), GetWindow(Form(), GW_OWNER));
    fldOpen_->SelectFolder = sfManual;
    fldOpen_->ShowStyle = ssCenterScreen;
    return false;
}

void TExtensionPage::ShowKeys(const ExtensionSettings& settings) {
    SetItemText(IDC_EDT_LYRICSFOLDER, settings.lyricsFolder);
    SetItemText(IDC_EDT_OVERLAYFILE, settings.overlayTextFile);
}

void TExtensionPage::SaveTo(ExtensionSettings& settings) const {
    settings.lyricsFolder = ItemText(IDC_EDT_LYRICSFOLDER);
    settings.overlayTextFile = ItemText(IDC_EDT_OVERLAYFILE);
}

void TExtensionPage::btnLyricsFolderClick() {
    fldOpen_->SelectFolderName = ItemText(IDC_EDT_LYRICSFOLDER);
    if (fldOpen_->Execute() && !fldOpen_->FolderPath().empty()) {
        SetItemText(IDC_EDT_LYRICSFOLDER, PasteFolderOf(fldOpen_->FolderPath()));
    }
}

void TExtensionPage::btnLyricsFolderDeleteClick() {
    SetItemText(IDC_EDT_LYRICSFOLDER, "");
}

void TExtensionPage::btnOverlayFileClick() {
    const std::string filter = FileDialogFilter(kOverlayFilter.Ansi());
    std::string file = ItemText(IDC_EDT_OVERLAYFILE);
    file.resize(kFileNameBytes, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = Form();
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = kOverlayExtension;
    // The file is written over again and again: an existing one only if the user says so.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR |
                   OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    static const auto getSaveFileName =
        LateBound<decltype(GetSaveFileNameA)>(kComDlg32, "GetSaveFileNameA");
    if (getSaveFileName != nullptr && getSaveFileName(&dialog)) {
        SetItemText(IDC_EDT_OVERLAYFILE, file.c_str());
    }
}

void TExtensionPage::btnOverlayFileDeleteClick() {
    SetItemText(IDC_EDT_OVERLAYFILE, "");
}

bool TExtensionPage::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_BTN_LYRICSFOLDER:
                btnLyricsFolderClick();
                return true;
            case IDC_BTN_LYRICSFOLDERDELETE:
                btnLyricsFolderDeleteClick();
                return true;
            case IDC_BTN_OVERLAYFILE:
                btnOverlayFileClick();
                return true;
            case IDC_BTN_OVERLAYFILEDELETE:
                btnOverlayFileDeleteClick();
                return true;
            default:
                break;
        }
    }
    return TSettingPage::OnCommand(id, code, control);
}

}  // namespace vesk
