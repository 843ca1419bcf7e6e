#pragma once

// What the settings dialog needs of the higher layers (the main form, the lyrics window and
// the shadow label) and of its peer the class search dialog, which it must not reach itself:
// the application layer implements this beside the dialog's program-wide reference.

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>

#include "settings/SettingPreview.h"
#include "settings/VeskSettings.h"

namespace vesk {

class SettingFormOwner {
public:
    virtual ~SettingFormOwner() = default;

    // The preview of the lyrics text: a shadow label in a child window of parent, at bounds
    // (parent's client coordinates).
    virtual std::unique_ptr<SettingPreview> CreatePreview(HWND parent, const RECT& bounds) = 0;

    // The lyrics window while it is open, as the apply writes it: its state ("FormSize",
    // "FormClientPos", "FormPos", "BackTransparent") and how many of its settings keys it
    // has read (see TfrmLyrics::KeysRead). nullopt while it is closed.
    struct OpenLyricsWindow {
        LyricsWindowState state;
        std::size_t keysRead = kLyricsWindowKeyCount;
    };
    virtual std::optional<OpenLyricsWindow> LyricsWindow() const = 0;

    // After the apply has written the file: the main form's LoadMainSettings, then one title
    // check, then, if the lyrics window is open, its LoadSettings and FitToText.
    virtual void LoadMainSettings() = 0;
    virtual void CheckTitle() = 0;
    virtual void ReloadLyricsWindow() = 0;

    // "クラス検索(&F)": creates the window class search dialog if it does not exist and shows
    // it, not modally; its OK puts the chosen class name into the dialog (TakeClassName).
    virtual void OpenClassSearch() = 0;
    // The settings dialog closes: the class search, if open, closes too.
    virtual void CloseClassSearch() = 0;
};

}  // namespace vesk
