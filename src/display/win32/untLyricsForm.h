#pragma once

// TfrmLyrics, the lyrics window: a borderless window without a task-bar button that shows
// the display text in the shadow label slbLyrics. The user drags it, resizes it by its
// edges, pins it, keeps it on top or at the bottom, makes it translucent or its background
// transparent, and drops a lyrics file on it. It fits itself to each new text.
//
// The window never outlives its owner (LyricsFormOwner, the program's reference to it): it
// reads the main form through it, and the owner forgets the object when the window is
// destroyed.
//
// Its margins, edge zones, least size and shadow offsets are sizes at 96 DPI, drawn at the
// DPI of its monitor, and the text's points come out at that DPI; its place and size are the
// screen's pixels, as the settings file keeps them. Moved to a monitor of another DPI, it
// keeps its top-left corner, takes the suggested size and fits itself to its text again.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "common/Color.h"
#include "common/win32/WinHandles.h"
#include "common/win32/Window.h"
#include "display/LyricsFormRules.h"
#include "display/ShadoLbl.h"
#include "display/win32/ControlHost.h"
#include "settings/VeskSettings.h"

namespace vesk {

class TPasteSave;

// What the lyrics window reads from the rest of the program and asks of it.
class LyricsFormOwner {
public:
    virtual ~LyricsFormOwner() = default;
    // The main form's current song title and paste-assignment folder (empty: off).
    virtual std::string SongTitle() const = 0;
    virtual std::string PasteSavePath() const = 0;
    // The lyrics file of a title in the lyrics list; empty when it has none.
    virtual std::string LyricsFileOf(const std::string& title) const = 0;
    virtual const TPasteSave& PasteSaver() const = 0;
    // The main form's RefreshLyrics.
    virtual void RefreshLyrics() = 0;
    // Makes path the lyrics file of title (whole file), shows the result, saves the list.
    virtual void AssignLyricsFile(const std::string& title, const std::string& path) = 0;
    // Opens the settings dialog (created on first use, not modal).
    virtual void OpenSettings() = 0;
    // The arrow keys on the window: the synced lyrics shown one step earlier (→) or later
    // (←). Nothing unless a synced song is shown.
    virtual void ShiftSyncedLyrics(bool earlier) { static_cast<void>(earlier); }
};

class TfrmLyrics final : public Window, private LyricsFrame, private LyricsFadeTarget {
public:
    // The window as created, before its settings.
    static constexpr int kDesignLeft = 205;
    static constexpr int kDesignTop = 528;
    static constexpr int kDesignWidth = 280;
    static constexpr int kDesignHeight = 159;

    // iniPath: the settings file that LoadSettings reads and closing writes.
    TfrmLyrics(LyricsFormOwner& owner, std::string iniPath);
    ~TfrmLyrics() override;

    // create: makes the window (hidden), takes it off the task bar and runs LoadSettings;
    // in normal z-order mode that already shows it. A window whose saved place lies on no
    // monitor is then moved onto the nearest one (PlacedOnScreen). An error of the settings file
    // leaves the window as far as it got and is kept for TakeSettingsError. false when the window
    // cannot be made.
    bool Create();
    // The error of the settings file met by Create, once; null when there was none. The
    // caller shows it when the window is in place (the tray works while the box is open).
    std::exception_ptr TakeSettingsError() { return std::exchange(settingsError_, nullptr); }
    // show: visible, at the top of the z-order.
    void Show();

    // Shows a new display text: fades the window out first when FadeInOut is on, then fits
    // the window to the text. A text that comes during a fade starts no second fade.
    void ShowLyrics(const std::string& text);
    // Shows lines of synced lyrics, the line lit drawn in litColor (made to differ from the
    // background as the font colour is). A new text is shown as ShowLyrics shows one;
    // otherwise at once, without a fade: when only the lit line moved the label alone is
    // repainted, else the window is fitted to the new lines.
    void ShowSyncedLines(const std::string& text, TextRange lit, Color litColor, bool newText);
    // Reads the "LyricsForm" section and applies it. On a colour that cannot be read, the
    // keys before it are applied, the steps after the keys are not, and IniConvertError
    // is thrown; until a later LoadSettings reads them, the keys after it are not written
    // back (KeysRead).
    void LoadSettings();
    // Resizes the window to its text.
    void FitToText();
    // To the screen's top-left corner, 300 wide, then FitToText.
    void ReturnToScreen();
    void ToggleBackTransparent();
    void ToggleTopMost();
    void ToggleBottom();
    void ApplyZOrder();
    // close: writes the window's six keys (those it has read, see KeysRead), then destroys
    // the window. A write error is shown to the user and the window closes all the same.
    void Close();

    // Read by the tray menus and the settings dialog.
    bool BackTransparent() const { return backTransparent_; }
    std::int32_t FormPos() const { return formPos_; }
    bool AlphaBlend() const override { return alphaBlend_; }
    std::uint8_t AlphaBlendValue() const override { return alphaBlendValue_; }
    Color BackColor() const { return backColor_; }
    bool FadeInOut() const { return fadeInOut_; }
    FitOptions Fitting() const { return fitting_; }
    // The check mark of mitFix.
    bool PositionFixed() const;
    // The six values that closing writes.
    LyricsWindowState State() const;
    // How many keys of the settings file the last LoadSettings read, in its order (all of
    // them, kLyricsWindowKeyCount, unless it failed; none when the file could not be read).
    // Of the window's own keys, closing writes only these.
    std::size_t KeysRead() const { return keysRead_; }

    // pupMain and its items' handlers.
    HMENU pupMain() const;
    void pupMainPopup();
    void mitSettingClick();
    void mitOpenTextClick();
    void mitReloadClick();
    void mitPasteSaveClick();
    void mitBackTransparentClick() { ToggleBackTransparent(); }
    void mitFixClick();
    void mitTopMostClick() { ToggleTopMost(); }
    void mitBottomClick() { ToggleBottom(); }
    void mitCloseClick() { Close(); }

    // The pause after each fade step; a blocking 20 ms sleep unless replaced.
    void SetFadeWait(std::function<void()> wait) { fadeWait_ = std::move(wait); }

    TShadowLabel slbLyrics;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged(const DpiScale& old, const RECT& suggested) override;

private:
    // LyricsFrame: the window's bounds on the screen.
    TRect Bounds() const override;
    void SetBounds(const TRect& bounds) override;
    // LyricsFadeTarget.
    void SetAlphaBlend(bool alphaBlend) override;
    void SetAlphaBlendValue(std::uint8_t value) override;
    void WaitFadeStep() override;
    void SetTextAndFit(const std::string& text) override;

    // Runs change on the label, then FitToText; with paintAtOnce a window that keeps its
    // size is repainted at once (TWinControlHost::ReleaseRepaints).
    void FitAfter(const std::function<void()>& change, bool paintAtOnce);
    void SetTextAndFit(const std::string& text, bool paintAtOnce);
    void SetBackColor(Color color);
    void SetBackTransparent(bool backTransparent);
    // The layered-window rule, after every change of its four values.
    void ApplyLayeredAttributes();

    // The current values of every key that LoadSettings reads.
    LyricsWindowSettings CurrentSettings() const;
    // What each key is applied to, in key order.
    void ApplyKeys(const LyricsWindowSettings& settings);

    void SetMenuCheck(UINT item, bool checked);
    void CheckFormPosItem();

    // FormMouseDown, FormMouseMove, FormMouseUp: the window's and the label's.
    void FormMouseDown(TMouseButton button, int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp();

    LRESULT OnHitTest(LPARAM lParam);
    void OnWindowPosChanging(WINDOWPOS& pos) const;
    void OnDropFiles(HDROP drop);
    void OnContextMenu(LPARAM lParam);
    bool OnCommand(UINT item);

    LyricsFormOwner& owner_;
    std::string iniPath_;
    std::exception_ptr settingsError_;
    std::size_t keysRead_ = kLyricsWindowKeyCount;
    TWinControlHost host_;
    MenuHandle menu_;
    std::string pasteSaveCaption_;

    bool alphaBlend_ = false;
    std::uint8_t alphaBlendValue_ = 255;
    Color backColor_ = kClWhite;
    bool backTransparent_ = false;
    std::int32_t formPos_ = kFormPosNormal;
    bool fadeInOut_ = false;
    FitOptions fitting_;

    TDragTracker drag_;
    // The drag was begun by the window's own client area (not by the label).
    bool windowDrag_ = false;
    bool closing_ = false;
    TLyricsFader fader_;
    std::function<void()> fadeWait_;
    // The lit range that goes with litText_ when it is set as the caption; the lit colour as
    // given.
    std::string litText_;
    TextRange litRange_;
    Color litColor_ = kClWindowText;
};

}  // namespace vesk
