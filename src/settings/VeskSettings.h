#pragma once

// The routines that read and write Vesk.ini, one per routine of the program that touches
// the file, each with its keys in its fixed order: one table of fields per settings group in
// VeskSettings.cpp (the keys themselves: SettingKeys.h; the tables' mechanism:
// SettingFields.h).
// Each opens its own TKelpIniFile on iniPath (SettingsFilePath() of
// settings/win32/SettingsPath.h) and releases it before it returns; nothing is kept between
// calls. Owners only apply the values.
//
// Errors:
// - A write that the file system refuses throws IniWriteError at that key; what the routine
//   wrote before it stays in the file, and the file is otherwise unchanged.
// - A colour value that cannot be read throws IniConvertError at that key. The routines
//   that read colours fill the settings object passed in field by field, in key order, and
//   assign each field as soon as its key has been read: on the error, the fields of the
//   keys before it hold what was read and the rest keep the values they had. The owner
//   applies the object and passes the error on:
//
//       try {
//           ReadLyricsWindowSettings(SettingsFilePath(), settings);
//       } catch (const IniConvertError&) {
//           Apply(settings);
//           throw;
//       }
//       Apply(settings);
//
// Missing keys take the defaults of SettingKeys.h; the font, size and position keys take
// the object's current values. Numbers are passed on as stored: ranges and low-bit rules
// are the owner's.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Color.h"
#include "common/Font.h"
#include "settings/KelpIniFile.h"
#include "settings/SettingKeys.h"

namespace vesk {

// Bytes of "Delimiters" that the title check uses.
inline constexpr std::size_t kDelimitersMaxBytes = 255;

// The program's folder (with its trailing separator) followed by "Vesk.ini".
std::string SettingsFilePathIn(std::string_view programFolder);

// Main form start-up: "LyricShow", then "Connection" "On".
struct StartupSettings {
    bool lyricShow = keys::kLyricShow.defaultValue;        // open the lyrics window
    bool connectionOn = keys::kConnectionOn.defaultValue;  // start the player if not found
    bool operator==(const StartupSettings&) const = default;
};
StartupSettings ReadStartupSettings(const std::string& iniPath);

// The main form's LoadMainSettings: the settings the main form keeps. As in every group,
// the members are named after their keys.
struct MainFormSettings {
    // How the song title is cut out of the player's caption.
    std::int32_t topCut = keys::kTopCut.defaultValue;
    std::int32_t bottomCut = keys::kBottomCut.defaultValue;
    std::int32_t titlePos = keys::kTitlePos.defaultValue;
    std::string delimiters{keys::kDelimiters.defaultValue};  // at most 255 bytes
    // The player's window: its class name and a text its caption must contain (empty: any).
    std::string getClassName{keys::kGetClassName.defaultValue};
    std::string getTitle{keys::kGetTitle.defaultValue};
    std::int32_t checkTime = keys::kCheckTime.defaultValue;  // the title check's interval
    bool sensetive = keys::kSensetive.defaultValue;          // the title look-up heeds letter case
    std::string player{keys::kPlayer.defaultValue};  // the command line that starts the player
    bool lyricsMasterOn = keys::kLyricsMasterOn.defaultValue;
    std::string lyricsMasterPath{keys::kLyricsMasterPath.defaultValue};  // command template
    bool closePlayer = keys::kConnectionClose.defaultValue;              // close the player at exit
    std::string pasteSavePath{keys::kPasteSavePath.defaultValue};  // empty: no paste assignment
    bool notAmazon = keys::kNotAmazon.defaultValue;
    std::int32_t priority = keys::kPriority.defaultValue;
    // The lyrics folder (empty: none) and the overlay text file (empty: none written).
    std::string lyricsFolder{keys::kLyricsFolder.defaultValue};
    std::string overlayTextFile{keys::kOverlayTextFile.defaultValue};
    // Search the lyrics service for titles without lyrics; the service's address.
    bool onlineLyrics = keys::kOnlineLyrics.defaultValue;
    std::string onlineLyricsUrl{keys::kOnlineLyricsUrl.defaultValue};
    // Synced lyrics: on or off, the lines shown, the lit line's colour.
    bool syncLyrics = keys::kSyncLyrics.defaultValue;
    std::int32_t syncLines = keys::kSyncLines.defaultValue;
    Color syncColor = keys::kSyncColor.defaultValue;
    bool operator==(const MainFormSettings&) const = default;
};
// Never fails; "Delimiters" is cut to its first 255 bytes, a colour that cannot be read
// keeps its default.
MainFormSettings ReadMainFormSettings(const std::string& iniPath);

// Main form exit: "LyricShow", whether the lyrics window is open.
void WriteLyricShow(const std::string& iniPath, bool lyricsWindowOpen);

// The lyrics window's LoadSettings: every key of "LyricsForm". font, size and position are
// read over their current values.
struct LyricsWindowSettings {
    Font font = NewFont();
    WindowSize size;
    WindowPosition position;
    bool alphaBlend = keys::kFormAlphaBlend.defaultValue;
    std::int32_t alphaBlendValue = keys::kFormAlphaBlendValue.defaultValue;
    Color backColor = keys::kBackColor.defaultValue;
    bool backTransparent = keys::kBackTransparent.defaultValue;
    std::int32_t formPos = keys::kFormPos.defaultValue;
    bool fadeInOut = keys::kFadeInOut.defaultValue;
    bool formFix = keys::kFormFix.defaultValue;
    bool fitBottom = keys::kFitBottom.defaultValue;
    bool fitRight = keys::kFitRight.defaultValue;
    bool changeWidth = keys::kChangeWidth.defaultValue;
    std::int32_t alignment = keys::kAlignment.defaultValue;
    Color shadowColor = keys::kShadowColor.defaultValue;
    std::int32_t shadowLeft = keys::kShadowLeft.defaultValue;
    std::int32_t shadowTop = keys::kShadowTop.defaultValue;
    bool shadowHighLight = keys::kShadowHighLight.defaultValue;
    bool operator==(const LyricsWindowSettings&) const = default;
};
// The number of keys the lyrics window's LoadSettings reads.
inline constexpr std::size_t kLyricsWindowKeyCount = 18;
// Throws IniConvertError at "Font", "BackColor" or "ShadowColor" (see above). keysRead, when
// given, is set to how many keys were read, in their order: all of them
// (kLyricsWindowKeyCount), or those before the colour that could not be read.
void ReadLyricsWindowSettings(const std::string& iniPath, LyricsWindowSettings& settings,
                              std::size_t* keysRead = nullptr);

// The lyrics window's own state, written when it closes (all six values) and by the
// settings dialog while the window is open (size, position, formPos, backTransparent).
struct LyricsWindowState {
    Font font = NewFont();
    WindowSize size;
    WindowPosition position;
    bool backTransparent = false;
    std::int32_t formPos = 0;
    bool formFix = false;
    bool operator==(const LyricsWindowState&) const = default;
};
// The lyrics window's close: "Font", "FormSize", "FormClientPos", "BackTransparent",
// "FormPos", "FormFix"; of them only the keys among the first keysRead that its
// LoadSettings reads. A window that did not read all its settings holds built-in values
// for the rest, which must not replace the user's stored ones.
void WriteLyricsWindowState(const std::string& iniPath, const LyricsWindowState& state,
                            std::size_t keysRead = kLyricsWindowKeyCount);

// The settings dialog's display page ("LyricsForm" but the lyrics window's own state).
struct DisplaySettings {
    Font font = NewFont();
    bool alphaBlend = keys::kFormAlphaBlend.defaultValue;
    std::int32_t alphaBlendValue = keys::kFormAlphaBlendValue.defaultValue;
    Color backColor = keys::kBackColor.defaultValue;
    bool changeWidth = keys::kChangeWidth.defaultValue;
    bool fitBottom = keys::kFitBottom.defaultValue;
    bool fitRight = keys::kFitRight.defaultValue;
    bool fadeInOut = keys::kFadeInOut.defaultValue;
    std::int32_t alignment = keys::kAlignment.defaultValue;  // -1: none chosen
    Color shadowColor = keys::kShadowColor.defaultValue;
    std::int32_t shadowLeft = keys::kShadowLeft.defaultValue;
    std::int32_t shadowTop = keys::kShadowTop.defaultValue;
    bool shadowHighLight = keys::kShadowHighLight.defaultValue;
    bool operator==(const DisplaySettings&) const = default;
};
// LoadDisplaySettings: "Font" is read over a new font (NewFont()), then the other keys in
// the dialog's order. The font is assigned last, after every other key has been read, as
// the dialog shows it after them: on IniConvertError it keeps its value.
void ReadDisplaySettings(const std::string& iniPath, DisplaySettings& settings);
// SaveDisplaySettings; then, when openLyricsWindow is given, its "FormSize",
// "FormClientPos", "FormPos" and "BackTransparent", as far as the window has read them
// (windowKeysRead, as for WriteLyricsWindowState).
//
// The settings dialog's writes take unchangedFrom after a load that stopped at a value it
// could not read: what the dialog showed then. Only the keys whose value differs from it
// (changed by the user) are written, so that the built-in values shown for the keys not
// read, and the key that could not be read, never replace what the user stored.
void WriteDisplaySettings(const std::string& iniPath, const DisplaySettings& settings,
                          const LyricsWindowState* openLyricsWindow,
                          std::size_t windowKeysRead = kLyricsWindowKeyCount,
                          const DisplaySettings* unchangedFrom = nullptr);

// The settings dialog's title page ("TitleGet").
struct TitleGetSettings {
    std::string getClassName{keys::kGetClassName.defaultValue};
    std::string getTitle{keys::kGetTitle.defaultValue};
    std::int32_t topCut = keys::kTopCut.defaultValue;
    std::int32_t bottomCut = keys::kBottomCut.defaultValue;
    std::int32_t titlePos = keys::kTitlePos.defaultValue;
    std::string delimiters{keys::kDelimiters.defaultValue};
    std::int32_t checkTime = keys::kCheckTime.defaultValue;
    bool sensetive = keys::kSensetive.defaultValue;
    bool operator==(const TitleGetSettings&) const = default;
};
// LoadTitleGetSettings; never fails.
TitleGetSettings ReadTitleGetSettings(const std::string& iniPath);
// SaveTitleGetSettings.
void WriteTitleGetSettings(const std::string& iniPath, const TitleGetSettings& settings,
                           const TitleGetSettings* unchangedFrom = nullptr);

// The settings dialog's connection and other pages ("Connection", "MainForm" but
// "LyricShow").
struct ConnectionSettings {
    bool connectionOn = keys::kConnectionOn.defaultValue;
    std::string player{keys::kPlayer.defaultValue};
    bool closePlayer = keys::kConnectionClose.defaultValue;
    bool lyricsMasterOn = keys::kLyricsMasterOn.defaultValue;
    std::string lyricsMasterPath{keys::kLyricsMasterPath.defaultValue};
    std::string pasteSavePath{keys::kPasteSavePath.defaultValue};
    bool notAmazon = keys::kNotAmazon.defaultValue;
    std::int32_t priority = keys::kPriority.defaultValue;  // -1: none chosen
    bool operator==(const ConnectionSettings&) const = default;
};
// LoadConnectionSettings; never fails, so the order of its reads makes no difference.
ConnectionSettings ReadConnectionSettings(const std::string& iniPath);
// SaveConnectionSettings ("LyricsMasterOn" and "LyricsMasterPath" before "Close").
void WriteConnectionSettings(const std::string& iniPath, const ConnectionSettings& settings,
                             const ConnectionSettings* unchangedFrom = nullptr);

// The settings dialog's extension page ("Extension").
struct ExtensionSettings {
    std::string lyricsFolder{keys::kLyricsFolder.defaultValue};
    std::string overlayTextFile{keys::kOverlayTextFile.defaultValue};
    bool onlineLyrics = keys::kOnlineLyrics.defaultValue;
    std::string onlineLyricsUrl{keys::kOnlineLyricsUrl.defaultValue};
    bool syncLyrics = keys::kSyncLyrics.defaultValue;
    std::int32_t syncLines = keys::kSyncLines.defaultValue;
    Color syncColor = keys::kSyncColor.defaultValue;
    bool operator==(const ExtensionSettings&) const = default;
};
// LoadExtensionSettings; never fails: a colour that cannot be read keeps its default.
ExtensionSettings ReadExtensionSettings(const std::string& iniPath);
// SaveExtensionSettings: a key is written only where the file reads otherwise (a colour it
// cannot read included), so that a settings file that never had these keys gets none while
// they keep their defaults.
void WriteExtensionSettings(const std::string& iniPath, const ExtensionSettings& settings,
                            const ExtensionSettings* unchangedFrom = nullptr);

}  // namespace vesk
