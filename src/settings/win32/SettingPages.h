#pragma once

// The six pages of the settings dialog, each a child dialog over the tab control that
// moves values between its controls and its settings group (VeskSettings.h), its controls
// placed by its pixel table (in its .cpp). The rules they apply are in
// settings/SettingRules.h; TfrmSetting (untSettingForm.h) puts them together, loads and
// applies.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "common/Color.h"
#include "common/Font.h"
#include "common/ProgramText.h"
#include "common/win32/Dialog.h"
#include "common/win32/ToolTips.h"
#include "common/win32/UpDownPair.h"
#include "settings/SettingPreview.h"
#include "settings/VeskSettings.h"
#include "settings/win32/SettingFormOwner.h"
#include "shell/win32/Win32SHBFFEX.h"

namespace vesk {

// A colour panel: an owner-drawn button that shows its colour and opens the colour
// dialog when clicked.
struct ColorPanel {
    int id;
    Color color;
};

class TSettingPage : public Dialog {
public:
    using Dialog::Dialog;
    // Makes the page as a hidden child of the settings dialog, whose object holds the page's:
    // the dialog is not deleted while the page's code runs (a folder browser it opened).
    bool Create(HWND dialog) {
        SetLifetimeOwner(Dialog::FromHandle(dialog));
        return CreateModeless(dialog);
    }

protected:
    // Enter and Esc belong to the settings dialog's OK and キャンセル.
    void OnOK() override;
    void OnCancel() override;
    // A hint shown while the pointer rests on the control; long hints wrap.
    void AddHint(int controlId, const ProgramText& hint);
    // Sets an edit's text only when it differs, so that EN_CHANGE tells of real changes.
    void ChangeItemText(int id, std::string_view text);
    // A radio group of count buttons from firstId: the checked one (-1: none), and checking
    // one (-1: none).
    int RadioIndex(int firstId, int count) const;
    void SetRadioIndex(int firstId, int count, int index);
    // The settings dialog, owner of the colour, file and folder dialogs.
    HWND Form() const { return GetAncestor(Handle(), GA_ROOT); }
    // A click on a colour panel: the colour dialog with the panel's colour; whether the user
    // chose one, which the panel then shows.
    bool AskColor(ColorPanel& panel);
    // WM_DRAWITEM of a colour panel: its colour in a sunken frame.
    static void DrawColorPanel(const DRAWITEMSTRUCT& item, const ColorPanel& panel);

private:
    static constexpr int kHintWidth = 360;  // pixels at 96 DPI

    ToolTips hints_{kHintWidth};
};

// "表示1(&1)" (tabView): the font, the shadow and the live preview.
class TViewPage final : public TSettingPage {
public:
    explicit TViewPage(SettingFormOwner& owner);

    // The page's keys of the display settings (the background and shadow colours, the
    // shadow's offsets and its reverse side): TfrmSetting shows them also when a colour that
    // cannot be read stopped the reading.
    void ShowKeys(const DisplaySettings& settings);
    // The font: size, face, colour and style into their controls. Only settings read whole
    // come here.
    void ShowFont(const Font& font);
    // The preview takes the font, the background and shadow colours and the shadow the
    // controls show; after ShowKeys.
    void ShowPreview(const Font& font);
    // The font and the page's keys as the controls show them.
    void SaveTo(DisplaySettings& settings) const;

    void updTextSizeClick();
    void cmbFontChange(const std::string& face);
    void cmbStyleChange();
    // A click on one of the three colour panels (text, background, shadow): the colour
    // dialog, and the colour chosen into the panel and the preview.
    void PanelClick(ColorPanel& panel);
    void UpdatePreviewShadow();

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnScroll(int controlId, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    ColorPanel* PanelOf(int id);
    void FillFontList();

    SettingFormOwner& owner_;
    std::unique_ptr<SettingPreview> preview_;
    Font previewFont_;
    ColorPanel pnlTextColor_;
    ColorPanel pnlBackColor_;
    ColorPanel pnlShadowColor_;
    UpDownPair updTextSize_;
    UpDownPair udnShadowTop_;
    UpDownPair udnShadowLeft_;
};

// "表示2(&2)" (tabView2): translucency, how the window follows a new text, alignment.
class TView2Page final : public TSettingPage {
public:
    TView2Page();
    void ShowKeys(const DisplaySettings& settings);
    void SaveTo(DisplaySettings& settings) const;
    // lblAlphaValue shows the slider's value.
    void tbrAlphaBlendChange();

protected:
    bool OnInit() override;
    void OnScroll(int controlId, int code) override;
};

// "連携(&C)" (tabConnection): the player and Lyrics Master.
class TConnectionPage final : public TSettingPage {
public:
    TConnectionPage();
    void ShowKeys(const ConnectionSettings& settings);
    void SaveTo(ConnectionSettings& settings) const;
    void btnConnectionPlayerOpenClick();

protected:
    bool OnCommand(int id, int code, HWND control) override;
};

// "その他(&E)" (tabOther): the paste-assignment folder, the priority, the store link.
class TOtherPage final : public TSettingPage {
public:
    TOtherPage();
    void ShowKeys(const ConnectionSettings& settings);
    void SaveTo(ConnectionSettings& settings) const;
    void btnPasteSaveClick();
    void btnPasteSaveDeleteClick();

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    std::unique_ptr<TSHBrowseForFolderEx> fldOpen_;
};

// "タイトル取得(&T)" (tabTitleGet), with the live test of the title extraction.
class TTitleGetPage final : public TSettingPage {
public:
    explicit TTitleGetPage(SettingFormOwner& owner);
    // LoadTitleGetSettings, key by key in its order: the three texts run the live test
    // when they change.
    void ShowKeys(const TitleGetSettings& settings);
    TitleGetSettings Values() const;

    // The live test: the player's caption and the song title cut out of it now.
    void ledGetClassNameChange();
    void udnTitlePosClick() { ledGetClassNameChange(); }
    void btnWmpClick();
    // "クラス検索(&F)": the class search dialog, not modal.
    void btnSearchClassClick() { owner_.OpenClassSearch(); }
    // Sets the class name and runs the live test, whether the text changes or not.
    void SetClassNameText(const std::string& className);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnScroll(int controlId, int code) override;

private:
    SettingFormOwner& owner_;
    UpDownPair udnTitlePos_;
    UpDownPair udnTopCut_;
    UpDownPair udnBottomCut_;
    UpDownPair udnCheckTime_;
};

// "拡張(&X)" (tabExtension): the lyrics folder, the overlay text file, the online search and
// synced lyrics.
class TExtensionPage final : public TSettingPage {
public:
    TExtensionPage();
    void ShowKeys(const ExtensionSettings& settings);
    void SaveTo(ExtensionSettings& settings) const;
    // The folder browser; the folder is kept with a "\" after it.
    void btnLyricsFolderClick();
    void btnLyricsFolderDeleteClick();
    // The file dialog for a file to write (an existing one only after the user agrees).
    void btnOverlayFileClick();
    void btnOverlayFileDeleteClick();

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    std::unique_ptr<TSHBrowseForFolderEx> fldOpen_;
    UpDownPair udnSyncLines_;
    ColorPanel pnlSyncColor_;
};

}  // namespace vesk
