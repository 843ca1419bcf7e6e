#include "app/win32/TrayMenus.h"

#include <string>

#include "common/ProgramText.h"

namespace vesk {

namespace {

// mitThisLyric's caption until the pointer first comes over the icon.
constexpr ProgramText kThisLyric{"タイトル"};
constexpr ProgramText kOpenText{"メモ帳で開く(&M)"};
constexpr ProgramText kSetting{"設定(&S)"};
constexpr ProgramText kEditList{"歌詞リスト編集(&L)"};
constexpr ProgramText kAmazon{"AmazonでCDを購入(&Z)"};
constexpr ProgramText kLyricsMaster{"LyricsMasterで検索(&Y)"};
constexpr ProgramText kPasteSave{"貼り付け割り当て(&P)"};
constexpr ProgramText kReadme{"Readme表示(&R)"};
constexpr ProgramText kAbout{"バージョン情報(&A)"};
constexpr ProgramText kExit{"終了(&X)"};
constexpr ProgramText kVisible{"表示(&V)"};
constexpr ProgramText kReturnDisplay{"画面内に戻す(&U)"};
constexpr ProgramText kBackTransparent{"背景を透過(&P)"};
constexpr ProgramText kTopMost{"常に手前に表示(&T)"};
constexpr ProgramText kBottom{"常に背面に表示(&B)"};
constexpr ProgramText kSearchOnline{"歌詞をインターネットで探す(&I)"};
constexpr ProgramText kSyncEarlier{"歌詞を0.5秒早く(&F)"};
constexpr ProgramText kSyncLater{"歌詞を0.5秒遅く(&B)"};

constexpr UINT kSeparator = 0;

void AppendItem(HMENU menu, UINT id, const ProgramText& caption) {
    AppendMenuA(menu, MF_STRING, id, caption.Ansi().c_str());
}

void AppendRadioItem(HMENU menu, UINT id, const ProgramText& caption) {
    AppendItem(menu, id, caption);
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    info.fType = MFT_STRING | MFT_RADIOCHECK;
    SetMenuItemInfoA(menu, id, FALSE, &info);
}

void SetCheck(HMENU menu, UINT id, bool checked) {
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void SetEnabled(HMENU menu, UINT id, bool enabled) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

TrayMenus::TrayMenus() : left_(CreatePopupMenu()), right_(CreatePopupMenu()) {
    HMENU left = left_.Get();
    AppendItem(left, mitVisible, kVisible);
    AppendMenuA(left, MF_SEPARATOR, 0, nullptr);  // N2
    AppendItem(left, mitReturnDisplay, kReturnDisplay);
    AppendItem(left, mitBackTransparent, kBackTransparent);
    AppendMenuA(left, MF_SEPARATOR, 0, nullptr);  // mitV2
    AppendRadioItem(left, mitTopMost, kTopMost);
    AppendRadioItem(left, mitBottom, kBottom);
    Apply(TrayMenuState{});
}

void TrayMenus::Apply(const TrayMenuState& state) {
    HMENU left = left_.Get();
    SetCheck(left, mitVisible, state.visibleChecked);
    for (UINT id : {mitReturnDisplay, mitBackTransparent, mitTopMost, mitBottom}) {
        SetEnabled(left, id, state.windowItemsEnabled);
    }
    SetCheck(left, mitBackTransparent, state.backTransparentChecked);
    SetCheck(left, mitTopMost, state.topMostChecked);
    SetCheck(left, mitBottom, state.bottomChecked);
    FillRightMenu(state);
}

void TrayMenus::FillRightMenu(const TrayMenuState& state) {
    HMENU right = right_.Get();
    while (GetMenuItemCount(right) > 0) {
        DeleteMenu(right, 0, MF_BYPOSITION);
    }
    struct Item {
        UINT id;
        const ProgramText* caption;
        bool visible;
    };
    const Item items[] = {
        {mitThisLyric, &kThisLyric, true},
        {mitOpenText, &kOpenText, true},
        {mitSearchOnline, &kSearchOnline, true},
        {mitSyncEarlier, &kSyncEarlier, state.syncItemsVisible},
        {mitSyncLater, &kSyncLater, state.syncItemsVisible},
        {kSeparator, nullptr, true},  // N5
        {mitSetting, &kSetting, true},
        {mitEditList, &kEditList, true},
        {kSeparator, nullptr, true},  // N4
        {mitAmazon, &kAmazon, state.amazonVisible},
        {mitLyricsMaster, &kLyricsMaster, state.lyricsMasterVisible},
        {mitPasteSave, &kPasteSave, state.pasteSaveVisible},
        {kSeparator, nullptr, true},  // N1
        {mitReadme, &kReadme, true},
        {mitAbout, &kAbout, true},
        {kSeparator, nullptr, true},  // N3
        {mitExit, &kExit, true},
    };
    bool lastWasSeparator = true;  // no separator at the top
    for (const Item& item : items) {
        if (!item.visible) {
            continue;
        }
        if (item.id == kSeparator) {
            if (!lastWasSeparator) {
                AppendMenuA(right, MF_SEPARATOR, 0, nullptr);
            }
            lastWasSeparator = true;
            continue;
        }
        if (item.id == mitThisLyric && !state.thisLyricCaption.empty()) {
            AppendMenuA(right, MF_STRING, item.id, state.thisLyricCaption.c_str());
        } else {
            AppendItem(right, item.id, *item.caption);
        }
        lastWasSeparator = false;
    }
    SetEnabled(right, mitSearchOnline, state.searchOnlineEnabled);
    SetMenuDefaultItem(right, mitThisLyric, FALSE);
}

}  // namespace vesk
