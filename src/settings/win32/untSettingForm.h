#pragma once

// TfrmSetting, "Veskの設定": the dialog in which the user changes every setting with a live
// preview of the lyrics text and a live test of the title extraction. A tool window with
// six tabs (one page each, SettingPages.h) above OK, 適用 and キャンセル. It loads its
// controls from Vesk.ini when it is made; OK and 適用 write them back and make the running
// program take them over at once through its owner (SettingFormOwner.h).
//
// It is modeless and exists at most once: the application keeps it in a program-wide
// reference (SingleWindow), which its destruction empties; opening it again only brings it
// to the front.

#include <windows.h>

#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "common/win32/Dialog.h"
#include "settings/win32/SettingFormOwner.h"
#include "settings/win32/SettingPages.h"

namespace vesk {

class TfrmSetting final : public Dialog {
public:
    // The tabs, in order.
    enum TabPage : int {
        tabView,
        tabView2,
        tabConnection,
        tabOther,
        tabTitleGet,
        tabExtension,
        kTabCount
    };
    // The client area, in pixels at 96 DPI.
    static constexpr int kClientWidth = 496;
    static constexpr int kClientHeight = 303;

    // iniPath: the settings file it loads and writes.
    TfrmSetting(SettingFormOwner& owner, std::string iniPath);
    ~TfrmSetting() override;

    // The error met while loading (a colour that cannot be read), once; null when there was
    // none. The opener shows it when the dialog is in place: the dialog opens all the same.
    std::exception_ptr TakeLoadError() { return std::exchange(loadError_, nullptr); }

    int ActivePage() const;
    void SetActivePage(int page);

    // "OK(&O)": applies, then closes; a write that fails leaves the dialog open.
    void bbnOKClick();
    // "適用(&A)": writes the four groups, each opening and releasing the file, then the
    // main form reads its settings, the title is checked once and the open lyrics window
    // reads its settings and fits its text. A refused write stops it at that key.
    void bbnApplyClick();
    // "キャンセル(&X)" (also Esc and the close box): closes; nothing is written.
    void bbnCancelClick();

    // The class search's OK: the class name into "検索するクラス名(&L)", which runs the live
    // test as the user's edit does (also when the name is the one already there).
    void TakeClassName(const std::string& className);

    // The keys of a property sheet: Ctrl+Tab and Ctrl+PageDown turn to the next tab,
    // Ctrl+Shift+Tab and Ctrl+PageUp to the one before, Alt with a tab's access key to that
    // tab unless a control of the page shown has the same key; the focus goes to the page.
    bool TranslateKey(const MSG& msg) override;

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnOK() override { bbnOKClick(); }
    void OnCancel() override { bbnCancelClick(); }

private:
    // The client area's size, and the pages over the tab control's display area.
    void LayOut();
    // Every way of closing goes through here: the class search closes first.
    void FormClose(INT_PTR result);
    // FormCreate: the four groups in this order; a colour that cannot be read stops it.
    void FormCreate();
    // The four groups as the pages hold them now.
    struct Shown {
        DisplaySettings display;
        TitleGetSettings titleGet;
        ConnectionSettings connection;
        ExtensionSettings extension;
    };
    Shown ShownNow() const;
    void LoadDisplaySettings();
    void LoadTitleGetSettings();
    void LoadConnectionSettings();
    void LoadExtensionSettings();
    // The four groups' writes, of the values the pages hold now.
    void SaveDisplaySettings(const Shown& now);
    void SaveTitleGetSettings(const Shown& now);
    void SaveConnectionSettings(const Shown& now);
    void SaveExtensionSettings(const Shown& now);
    TSettingPage& Page(int page);
    void ShowPage(int page);
    // Shows the page and gives the focus to its first control.
    void TurnTo(int page);
    bool PageHasAccessKey(int page, char key);

    SettingFormOwner& owner_;
    std::string iniPath_;
    std::exception_ptr loadError_;
    // After a load that stopped at a value it could not read: what the dialog showed then.
    // Only what the user changes from it is written, never the built-in values shown for
    // the keys not read.
    std::optional<Shown> shownAfterPartLoad_;
    TViewPage tabView_;
    TView2Page tabView2_;
    TConnectionPage tabConnection_;
    TOtherPage tabOther_;
    TTitleGetPage tabTitleGet_;
    TExtensionPage tabExtension_;
};

}  // namespace vesk
