// The page "拡張(&X)": the lyrics folder, the overlay text file, the search of the lyrics
// service and synced lyrics, the extension settings group.

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "common/win32/FileDialogs.h"
#include "settings/SettingRules.h"
#include "settings/win32/SettingExtensionRes.h"
#include "settings/win32/SettingPages.h"

namespace vesk {

namespace {

constexpr ProgramText kOverlayFilter{"テキストファイル(*.txt)|*.txt|全てのファイル(*.*)|*.*"};
constexpr char kOverlayExtension[] = "txt";
constexpr std::size_t kFileNameBytes = 1024;

// The pixel table, for the tab control's display area: a group of one row each. A number
// field's width includes its up-down.
constexpr ControlPlace kPlaces[] = {
    {IDC_GRP_LYRICSFOLDER, 7, 3, 452, 50},        {IDC_EDT_LYRICSFOLDER, 16, 22, 266, 20},
    {IDC_BTN_LYRICSFOLDER, 288, 21, 76, 23},      {IDC_BTN_LYRICSFOLDERDELETE, 370, 21, 76, 23},
    {IDC_GRP_OVERLAYFILE, 7, 56, 452, 50},        {IDC_EDT_OVERLAYFILE, 16, 75, 266, 20},
    {IDC_BTN_OVERLAYFILE, 288, 74, 76, 23},       {IDC_BTN_OVERLAYFILEDELETE, 370, 74, 76, 23},
    {IDC_GRP_ONLINELYRICS, 7, 109, 452, 50},      {IDC_CBX_ONLINELYRICS, 16, 129, 200, 16},
    {IDC_EDT_ONLINELYRICSURL, 222, 127, 224, 20}, {IDC_GRP_SYNC, 7, 162, 452, 50},
    {IDC_CBX_SYNCLYRICS, 16, 182, 130, 16},       {IDC_LBL_SYNCLINES, 160, 184, 76, 13},
    {IDC_EDT_SYNCLINES, 238, 181, 48, 20},        {IDC_LBL_SYNCCOLOR, 306, 184, 64, 13},
    {IDC_PNL_SYNCCOLOR, 372, 180, 42, 21},
};

constexpr ProgramText kLyricsFolderHint{
    "リストにない曲は，このフォルダの「曲名.txt」か「曲名."
    "lrc」を表示します（曲名のうちファイル名に使えない文字は全角にします）．"};
constexpr ProgramText kOverlayFileHint{
    "表示中の歌詞を，このファイルにUTF-"
    "8で書き出します（配信ソフトのテキスト表示に読ませるためのものです）．"};
constexpr ProgramText kOnlineLyricsHint{
    "歌詞のない曲は，曲名を次のアドレスに送って歌詞を探します．"};

}  // namespace

TExtensionPage::TExtensionPage()
    : TSettingPage(IDD_SETTING_EXTENSION, kPlaces),
      udnSyncLines_(IDC_UDN_SYNCLINES),
      pnlSyncColor_{IDC_PNL_SYNCCOLOR, keys::kSyncColor.defaultValue} {}

bool TExtensionPage::OnInit() {
    udnSyncLines_.Attach(Handle(), kSyncLinesRange.minimum, kSyncLinesRange.maximum);
    udnSyncLines_.SetPosition(keys::kSyncLines.defaultValue);
    // As the paste-assignment folder's: owned by the settings dialog, whose owner (the
    // application's window) is disabled with it.
    fldOpen_ = std::make_unique<TSHBrowseForFolderEx>(Form(), GetWindow(Form(), GW_OWNER));
    fldOpen_->SelectFolder = sfManual;
    fldOpen_->ShowStyle = ssCenterScreen;
    AddHint(IDC_EDT_LYRICSFOLDER, kLyricsFolderHint);
    AddHint(IDC_EDT_OVERLAYFILE, kOverlayFileHint);
    AddHint(IDC_CBX_ONLINELYRICS, kOnlineLyricsHint);
    AddHint(IDC_EDT_ONLINELYRICSURL, kOnlineLyricsHint);
    return false;
}

void TExtensionPage::ShowKeys(const ExtensionSettings& settings) {
    SetItemText(IDC_EDT_LYRICSFOLDER, settings.lyricsFolder);
    SetItemText(IDC_EDT_OVERLAYFILE, settings.overlayTextFile);
    SetChecked(IDC_CBX_ONLINELYRICS, settings.onlineLyrics);
    SetItemText(IDC_EDT_ONLINELYRICSURL, settings.onlineLyricsUrl);
    SetChecked(IDC_CBX_SYNCLYRICS, settings.syncLyrics);
    udnSyncLines_.SetPosition(settings.syncLines);
    pnlSyncColor_.color = settings.syncColor;
    InvalidateRect(Item(IDC_PNL_SYNCCOLOR), nullptr, TRUE);
}

void TExtensionPage::SaveTo(ExtensionSettings& settings) const {
    settings.lyricsFolder = ItemText(IDC_EDT_LYRICSFOLDER);
    settings.overlayTextFile = ItemText(IDC_EDT_OVERLAYFILE);
    settings.onlineLyrics = Checked(IDC_CBX_ONLINELYRICS);
    settings.onlineLyricsUrl = ItemText(IDC_EDT_ONLINELYRICSURL);
    settings.syncLyrics = Checked(IDC_CBX_SYNCLYRICS);
    settings.syncLines = udnSyncLines_.Position();
    settings.syncColor = pnlSyncColor_.color;
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
    FileDialogOptions options;
    options.owner = Form();
    options.filter = kOverlayFilter.Ansi();
    options.initialFile = ItemText(IDC_EDT_OVERLAYFILE);
    options.pathBytes = kFileNameBytes;
    options.defaultExtension = kOverlayExtension;
    // The file is written over again and again: an existing one only if the user says so.
    options.extraFlags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    if (const std::optional<std::string> file = AskSaveFileName(options)) {
        SetItemText(IDC_EDT_OVERLAYFILE, *file);
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
            case IDC_PNL_SYNCCOLOR:
                AskColor(pnlSyncColor_);
                return true;
            default:
                break;
        }
    }
    return TSettingPage::OnCommand(id, code, control);
}

bool TExtensionPage::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    if (message != WM_DRAWITEM) {
        return false;
    }
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (static_cast<int>(item.CtlID) != pnlSyncColor_.id) {
        return false;
    }
    DrawColorPanel(item, pnlSyncColor_);
    result = TRUE;
    return true;
}

}  // namespace vesk
