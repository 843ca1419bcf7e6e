#include "settings/win32/untSettingForm.h"

#include <commctrl.h>

#include <utility>

#include "common/AnsiText.h"
#include "common/ProgramText.h"
#include "settings/KelpIniFile.h"
#include "settings/win32/SettingFormRes.h"

namespace vesk {

namespace {

constexpr ProgramText kTabCaptions[TfrmSetting::kTabCount] = {
    ProgramText{"表示1(&1)"},  ProgramText{"表示2(&2)"},        ProgramText{"連携(&C)"},
    ProgramText{"その他(&E)"}, ProgramText{"タイトル取得(&T)"}, ProgramText{"拡張(&X)"}};

// The pixel table: the tab control fills the client area above a row of three buttons at
// the bottom right.
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;
constexpr int kButtonTop = TfrmSetting::kClientHeight - kMargin - kButtonHeight;
constexpr int kCancelLeft = TfrmSetting::kClientWidth - kMargin - kButtonWidth;
constexpr int kApplyLeft = kCancelLeft - kButtonGap - kButtonWidth;
constexpr int kOkLeft = kApplyLeft - kButtonGap - kButtonWidth;

constexpr ControlPlace kPlaces[] = {
    {IDC_SETTING_TABS, kMargin, kMargin, TfrmSetting::kClientWidth - 2 * kMargin,
     kButtonTop - 2 * kMargin},
    {IDOK, kOkLeft, kButtonTop, kButtonWidth, kButtonHeight},
    {IDC_SETTING_APPLY, kApplyLeft, kButtonTop, kButtonWidth, kButtonHeight},
    {IDCANCEL, kCancelLeft, kButtonTop, kButtonWidth, kButtonHeight},
};

}  // namespace

TfrmSetting::TfrmSetting(SettingFormOwner& owner, std::string iniPath)
    : Dialog(IDD_SETTING, kPlaces),
      owner_(owner),
      iniPath_(std::move(iniPath)),
      tabView_(owner),
      tabTitleGet_(owner) {}

TfrmSetting::~TfrmSetting() = default;

TSettingPage& TfrmSetting::Page(int page) {
    switch (page) {
        case tabView2:
            return tabView2_;
        case tabConnection:
            return tabConnection_;
        case tabOther:
            return tabOther_;
        case tabTitleGet:
            return tabTitleGet_;
        case tabExtension:
            return tabExtension_;
        default:
            return tabView_;
    }
}

bool TfrmSetting::OnInit() {
    const HWND tabs = Item(IDC_SETTING_TABS);
    for (int page = 0; page < kTabCount; ++page) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        std::string caption = kTabCaptions[page].Ansi();
        item.pszText = caption.data();
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(page),
                     reinterpret_cast<LPARAM>(&item));
        Page(page).Create(Handle());
    }
    LayOut();
    try {
        FormCreate();
    } catch (const std::exception&) {
        loadError_ = std::current_exception();
        shownAfterPartLoad_ = ShownNow();
    }
    // FormShow: the first tab.
    SetActivePage(tabView);
    return true;
}

void TfrmSetting::LayOut() {
    SetClientSize(kClientWidth, kClientHeight);
    const HWND tabs = Item(IDC_SETTING_TABS);
    // The pages lie over the tab control's display area, above it in the z-order (and so
    // first in the order of the Tab key).
    RECT area{};
    GetClientRect(tabs, &area);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tabs, Handle(), reinterpret_cast<POINT*>(&area), 2);
    for (int page = kTabCount - 1; page >= 0; --page) {
        SetWindowPos(Page(page).Handle(), HWND_TOP, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOACTIVATE);
    }
}

int TfrmSetting::ActivePage() const {
    return static_cast<int>(SendMessageA(Item(IDC_SETTING_TABS), TCM_GETCURSEL, 0, 0));
}

void TfrmSetting::SetActivePage(int page) {
    SendMessageA(Item(IDC_SETTING_TABS), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    ShowPage(page);
}

void TfrmSetting::TurnTo(int page) {
    SetActivePage(page);
    const HWND pageWindow = Page(page).Handle();
    if (const HWND first = GetNextDlgTabItem(pageWindow, nullptr, FALSE)) {
        SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    }
}

namespace {

struct AccessKeySearch {
    char key;
    bool found = false;
};

// Whether a control's text can carry an access key: not what the user typed into an edit,
// nor a label that shows outside text as it is (a player's caption, a path).
bool CaptionHasAccessKeys(HWND control) {
    if ((SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
        return false;
    }
    char className[16] = {};
    GetClassNameA(control, className, sizeof(className));
    return lstrcmpiA(className, "Static") != 0 ||
           (GetWindowLongA(control, GWL_STYLE) & SS_NOPREFIX) == 0;
}

BOOL CALLBACK FindAccessKey(HWND control, LPARAM search) {
    auto& s = *reinterpret_cast<AccessKeySearch*>(search);
    if (IsWindowVisible(control) && IsWindowEnabled(control) && CaptionHasAccessKeys(control)) {
        char caption[256] = {};
        GetWindowTextA(control, caption, sizeof(caption));
        s.found = AccessKeyOf(caption) == s.key;
    }
    return s.found ? FALSE : TRUE;
}

}  // namespace

bool TfrmSetting::PageHasAccessKey(int page, char key) {
    AccessKeySearch search{key};
    EnumChildWindows(Page(page).Handle(), FindAccessKey, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool TfrmSetting::TranslateKey(const MSG& msg) {
    const int active = ActivePage();
    if (msg.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0) {
        int step = 0;
        if (msg.wParam == VK_TAB) {
            step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        } else if (msg.wParam == VK_NEXT) {
            step = 1;
        } else if (msg.wParam == VK_PRIOR) {
            step = -1;
        }
        if (step != 0) {
            TurnTo((active + step + kTabCount) % kTabCount);
            return true;
        }
        return false;
    }
    if (msg.message != WM_SYSCHAR || msg.wParam > 0x7F) {
        return false;
    }
    // The page's own controls come first: their keys are the ones the user sees there.
    const char key = AccessKeyOf(std::string{'&', static_cast<char>(msg.wParam)});
    if (key == 0 || PageHasAccessKey(active, key)) {
        return false;
    }
    for (int page = 0; page < kTabCount; ++page) {
        if (AccessKeyOf(kTabCaptions[page].Ansi()) == key) {
            TurnTo(page);
            return true;
        }
    }
    return false;
}

void TfrmSetting::ShowPage(int page) {
    for (int i = 0; i < kTabCount; ++i) {
        ShowWindow(Page(i).Handle(), i == page ? SW_SHOW : SW_HIDE);
    }
}

void TfrmSetting::FormCreate() {
    LoadDisplaySettings();
    LoadTitleGetSettings();
    LoadConnectionSettings();
    LoadExtensionSettings();
}

// The keys read before a colour that cannot be read are shown; the font and the preview
// are not.
void TfrmSetting::LoadDisplaySettings() {
    DisplaySettings settings;
    try {
        ReadDisplaySettings(iniPath_, settings);
    } catch (const IniConvertError&) {
        tabView_.ShowKeys(settings);
        tabView2_.ShowKeys(settings);
        throw;
    }
    tabView_.ShowKeys(settings);
    tabView2_.ShowKeys(settings);
    tabView_.ShowFont(settings.font);
    tabView_.ShowPreview(settings.font);
}

void TfrmSetting::LoadTitleGetSettings() {
    tabTitleGet_.ShowKeys(ReadTitleGetSettings(iniPath_));
}

void TfrmSetting::LoadConnectionSettings() {
    const ConnectionSettings settings = ReadConnectionSettings(iniPath_);
    tabConnection_.ShowKeys(settings);
    tabOther_.ShowKeys(settings);
}

void TfrmSetting::LoadExtensionSettings() {
    tabExtension_.ShowKeys(ReadExtensionSettings(iniPath_));
}

TfrmSetting::Shown TfrmSetting::ShownNow() const {
    Shown shown;
    tabView_.SaveTo(shown.display);
    tabView2_.SaveTo(shown.display);
    shown.titleGet = tabTitleGet_.Values();
    tabConnection_.SaveTo(shown.connection);
    tabOther_.SaveTo(shown.connection);
    tabExtension_.SaveTo(shown.extension);
    return shown;
}

void TfrmSetting::SaveDisplaySettings(const Shown& now) {
    const auto window = owner_.LyricsWindow();
    WriteDisplaySettings(iniPath_, now.display, window ? &window->state : nullptr,
                         window ? window->keysRead : kLyricsWindowKeyCount,
                         shownAfterPartLoad_ ? &shownAfterPartLoad_->display : nullptr);
}

void TfrmSetting::SaveTitleGetSettings(const Shown& now) {
    WriteTitleGetSettings(iniPath_, now.titleGet,
                          shownAfterPartLoad_ ? &shownAfterPartLoad_->titleGet : nullptr);
}

void TfrmSetting::SaveConnectionSettings(const Shown& now) {
    WriteConnectionSettings(iniPath_, now.connection,
                            shownAfterPartLoad_ ? &shownAfterPartLoad_->connection : nullptr);
}

void TfrmSetting::SaveExtensionSettings(const Shown& now) {
    WriteExtensionSettings(iniPath_, now.extension,
                           shownAfterPartLoad_ ? &shownAfterPartLoad_->extension : nullptr);
}

void TfrmSetting::bbnApplyClick() {
    const Shown now = ShownNow();
    SaveDisplaySettings(now);
    SaveTitleGetSettings(now);
    SaveConnectionSettings(now);
    SaveExtensionSettings(now);
    // From now on the file holds what the dialog shows: a value put back after this apply
    // is a change again.
    if (shownAfterPartLoad_) {
        shownAfterPartLoad_ = now;
    }
    owner_.LoadMainSettings();
    owner_.CheckTitle();
    // The lyrics window's state was written above, so its reload leaves it where it is.
    owner_.ReloadLyricsWindow();
}

void TfrmSetting::bbnOKClick() {
    bbnApplyClick();  // an error leaves here: the dialog stays open
    FormClose(IDOK);
}

void TfrmSetting::bbnCancelClick() {
    FormClose(IDCANCEL);
}

void TfrmSetting::FormClose(INT_PTR result) {
    owner_.CloseClassSearch();
    End(result);
}

void TfrmSetting::TakeClassName(const std::string& className) {
    tabTitleGet_.SetClassNameText(className);
}

bool TfrmSetting::OnCommand(int id, int code, HWND control) {
    if (id == IDC_SETTING_APPLY && code == BN_CLICKED) {
        bbnApplyClick();
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

bool TfrmSetting::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom == IDC_SETTING_TABS && header.code == TCN_SELCHANGE) {
        ShowPage(ActivePage());
        result = 0;
        return true;
    }
    return false;
}

}  // namespace vesk
