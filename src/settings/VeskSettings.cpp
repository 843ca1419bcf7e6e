#include "settings/VeskSettings.h"

#include <iterator>
#include <string_view>
#include <utility>

#include "settings/SettingFields.h"

// GCC 12 at -O2 warns falsely (-Warray-bounds) about the alternatives of a row's variant
// that no row of the table holds.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ < 13
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif

namespace vesk {

namespace {

// Each table is its routine's keys in the routine's order. Where a group reads and writes
// the same keys in the same order, one table serves both.

constexpr Field<StartupSettings> kStartupFields[] = {
    Bind(keys::kLyricShow, &StartupSettings::lyricShow),
    Bind(keys::kConnectionOn, &StartupSettings::connectionOn),
};

// LoadMainSettings: read only (the settings dialog writes these keys in its own groups).
constexpr Field<MainFormSettings> kMainFormFields[] = {
    Bind(keys::kTopCut, &MainFormSettings::topCut),
    Bind(keys::kBottomCut, &MainFormSettings::bottomCut),
    Bind(keys::kTitlePos, &MainFormSettings::titlePos),
    Bind(keys::kDelimiters, &MainFormSettings::delimiters),
    Bind(keys::kGetClassName, &MainFormSettings::getClassName),
    Bind(keys::kGetTitle, &MainFormSettings::getTitle),
    Bind(keys::kCheckTime, &MainFormSettings::checkTime),
    Bind(keys::kSensetive, &MainFormSettings::sensetive),
    Bind(keys::kPlayer, &MainFormSettings::player),
    Bind(keys::kLyricsMasterOn, &MainFormSettings::lyricsMasterOn),
    Bind(keys::kLyricsMasterPath, &MainFormSettings::lyricsMasterPath),
    Bind(keys::kConnectionClose, &MainFormSettings::closePlayer),
    Bind(keys::kPasteSavePath, &MainFormSettings::pasteSavePath),
    Bind(keys::kNotAmazon, &MainFormSettings::notAmazon),
    Bind(keys::kPriority, &MainFormSettings::priority),
    Bind(keys::kLyricsFolder, &MainFormSettings::lyricsFolder),
    Bind(keys::kOverlayTextFile, &MainFormSettings::overlayTextFile),
    Bind(keys::kOnlineLyrics, &MainFormSettings::onlineLyrics),
    Bind(keys::kOnlineLyricsUrl, &MainFormSettings::onlineLyricsUrl),
    Bind(keys::kSyncLyrics, &MainFormSettings::syncLyrics),
    Bind(keys::kSyncLines, &MainFormSettings::syncLines),
    Bind(keys::kSyncColor, &MainFormSettings::syncColor),
};

// The lyrics window's LoadSettings: every key of "LyricsForm". The order counts: a colour
// that cannot be read leaves the keys after it unread.
constexpr Field<LyricsWindowSettings> kLyricsWindowFields[] = {
    Bind(keys::kFont, &LyricsWindowSettings::font),
    Bind(keys::kFormSize, &LyricsWindowSettings::size),
    Bind(keys::kFormClientPos, &LyricsWindowSettings::position),
    Bind(keys::kFormAlphaBlend, &LyricsWindowSettings::alphaBlend),
    Bind(keys::kFormAlphaBlendValue, &LyricsWindowSettings::alphaBlendValue),
    Bind(keys::kBackColor, &LyricsWindowSettings::backColor),
    Bind(keys::kBackTransparent, &LyricsWindowSettings::backTransparent),
    Bind(keys::kFormPos, &LyricsWindowSettings::formPos),
    Bind(keys::kFadeInOut, &LyricsWindowSettings::fadeInOut),
    Bind(keys::kFormFix, &LyricsWindowSettings::formFix),
    Bind(keys::kFitBottom, &LyricsWindowSettings::fitBottom),
    Bind(keys::kFitRight, &LyricsWindowSettings::fitRight),
    Bind(keys::kChangeWidth, &LyricsWindowSettings::changeWidth),
    Bind(keys::kAlignment, &LyricsWindowSettings::alignment),
    Bind(keys::kShadowColor, &LyricsWindowSettings::shadowColor),
    Bind(keys::kShadowLeft, &LyricsWindowSettings::shadowLeft),
    Bind(keys::kShadowTop, &LyricsWindowSettings::shadowTop),
    Bind(keys::kShadowHighLight, &LyricsWindowSettings::shadowHighLight),
};

// The lyrics window's close: its own state, written only.
constexpr Field<LyricsWindowState> kLyricsWindowStateFields[] = {
    Bind(keys::kFont, &LyricsWindowState::font),
    Bind(keys::kFormSize, &LyricsWindowState::size),
    Bind(keys::kFormClientPos, &LyricsWindowState::position),
    Bind(keys::kBackTransparent, &LyricsWindowState::backTransparent),
    Bind(keys::kFormPos, &LyricsWindowState::formPos),
    Bind(keys::kFormFix, &LyricsWindowState::formFix),
};

// The settings dialog's display page, read and written in this order. "Font" is no row: it
// comes first in both, but the dialog reads it into a new font and assigns it last.
constexpr Field<DisplaySettings> kDisplayFields[] = {
    Bind(keys::kFormAlphaBlend, &DisplaySettings::alphaBlend),
    Bind(keys::kFormAlphaBlendValue, &DisplaySettings::alphaBlendValue),
    Bind(keys::kBackColor, &DisplaySettings::backColor),
    Bind(keys::kChangeWidth, &DisplaySettings::changeWidth),
    Bind(keys::kFitBottom, &DisplaySettings::fitBottom),
    Bind(keys::kFitRight, &DisplaySettings::fitRight),
    Bind(keys::kFadeInOut, &DisplaySettings::fadeInOut),
    Bind(keys::kAlignment, &DisplaySettings::alignment),
    Bind(keys::kShadowColor, &DisplaySettings::shadowColor),
    Bind(keys::kShadowLeft, &DisplaySettings::shadowLeft),
    Bind(keys::kShadowTop, &DisplaySettings::shadowTop),
    Bind(keys::kShadowHighLight, &DisplaySettings::shadowHighLight),
};

// What the dialog's save adds while the lyrics window is open: the window's current state,
// so that the window's reload after the apply leaves it where it is.
constexpr Field<LyricsWindowState> kOpenLyricsWindowFields[] = {
    Bind(keys::kFormSize, &LyricsWindowState::size),
    Bind(keys::kFormClientPos, &LyricsWindowState::position),
    Bind(keys::kFormPos, &LyricsWindowState::formPos),
    Bind(keys::kBackTransparent, &LyricsWindowState::backTransparent),
};

// The settings dialog's title page, read and written in this order.
constexpr Field<TitleGetSettings> kTitleGetFields[] = {
    Bind(keys::kGetClassName, &TitleGetSettings::getClassName),
    Bind(keys::kGetTitle, &TitleGetSettings::getTitle),
    Bind(keys::kTopCut, &TitleGetSettings::topCut),
    Bind(keys::kBottomCut, &TitleGetSettings::bottomCut),
    Bind(keys::kTitlePos, &TitleGetSettings::titlePos),
    Bind(keys::kDelimiters, &TitleGetSettings::delimiters),
    Bind(keys::kCheckTime, &TitleGetSettings::checkTime),
    Bind(keys::kSensetive, &TitleGetSettings::sensetive),
};

// The settings dialog's connection and other pages, in the order of the save, which puts
// "Close" after the Lyrics Master keys. The dialog's load reads "Close" right after
// "Player"; one table serves both all the same, as none of these keys can fail to read and
// a read changes nothing but its own member, so the order of the reads cannot be seen.
constexpr Field<ConnectionSettings> kConnectionFields[] = {
    Bind(keys::kConnectionOn, &ConnectionSettings::connectionOn),
    Bind(keys::kPlayer, &ConnectionSettings::player),
    Bind(keys::kLyricsMasterOn, &ConnectionSettings::lyricsMasterOn),
    Bind(keys::kLyricsMasterPath, &ConnectionSettings::lyricsMasterPath),
    Bind(keys::kConnectionClose, &ConnectionSettings::closePlayer),
    Bind(keys::kPasteSavePath, &ConnectionSettings::pasteSavePath),
    Bind(keys::kNotAmazon, &ConnectionSettings::notAmazon),
    Bind(keys::kPriority, &ConnectionSettings::priority),
};

// The settings dialog's extension page.
constexpr Field<ExtensionSettings> kExtensionFields[] = {
    Bind(keys::kLyricsFolder, &ExtensionSettings::lyricsFolder),
    Bind(keys::kOverlayTextFile, &ExtensionSettings::overlayTextFile),
    Bind(keys::kOnlineLyrics, &ExtensionSettings::onlineLyrics),
    Bind(keys::kOnlineLyricsUrl, &ExtensionSettings::onlineLyricsUrl),
    Bind(keys::kSyncLyrics, &ExtensionSettings::syncLyrics),
    Bind(keys::kSyncLines, &ExtensionSettings::syncLines),
    Bind(keys::kSyncColor, &ExtensionSettings::syncColor),
};

static_assert(std::size(kLyricsWindowFields) == kLyricsWindowKeyCount);

// Whether the lyrics window's LoadSettings reads the key among its first keysRead keys.
bool LyricsWindowKeyRead(std::string_view name, std::size_t keysRead) {
    for (std::size_t i = 0; i < keysRead && i < std::size(kLyricsWindowFields); ++i) {
        if (KeyNameOf(kLyricsWindowFields[i]) == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string SettingsFilePathIn(std::string_view programFolder) {
    return std::string(programFolder).append(kSettingsFileName);
}

StartupSettings ReadStartupSettings(const std::string& iniPath) {
    const TKelpIniFile ini(iniPath);
    StartupSettings settings;
    ReadFields(ini, kStartupFields, settings);
    return settings;
}

MainFormSettings ReadMainFormSettings(const std::string& iniPath) {
    const TKelpIniFile ini(iniPath);
    MainFormSettings settings;
    ReadFieldsKeepingDefaults(ini, kMainFormFields, settings);
    if (settings.delimiters.size() > kDelimitersMaxBytes) {
        settings.delimiters.resize(kDelimitersMaxBytes);
    }
    return settings;
}

void WriteLyricShow(const std::string& iniPath, bool lyricsWindowOpen) {
    TKelpIniFile ini(iniPath);
    WriteValue(ini, keys::kLyricShow, lyricsWindowOpen);
}

void ReadLyricsWindowSettings(const std::string& iniPath, LyricsWindowSettings& settings,
                              std::size_t* keysRead) {
    const TKelpIniFile ini(iniPath);
    ReadFields(ini, kLyricsWindowFields, settings, keysRead);
}

void WriteLyricsWindowState(const std::string& iniPath, const LyricsWindowState& state,
                            std::size_t keysRead) {
    TKelpIniFile ini(iniPath);
    WriteFields(ini, kLyricsWindowStateFields, state,
                [keysRead](std::string_view name) { return LyricsWindowKeyRead(name, keysRead); });
}

void ReadDisplaySettings(const std::string& iniPath, DisplaySettings& settings) {
    const TKelpIniFile ini(iniPath);
    Font font = NewFont();
    ReadValue(ini, keys::kFont, font);
    ReadFields(ini, kDisplayFields, settings);
    settings.font = std::move(font);
}

void WriteDisplaySettings(const std::string& iniPath, const DisplaySettings& settings,
                          const LyricsWindowState* openLyricsWindow, std::size_t windowKeysRead,
                          const DisplaySettings* unchangedFrom) {
    TKelpIniFile ini(iniPath);
    if (unchangedFrom == nullptr || !(unchangedFrom->font == settings.font)) {
        WriteValue(ini, keys::kFont, settings.font);
    }
    WriteFields(ini, kDisplayFields, settings,
                ChangedFrom<DisplaySettings>(kDisplayFields, unchangedFrom, settings));
    if (openLyricsWindow != nullptr) {
        WriteFields(ini, kOpenLyricsWindowFields, *openLyricsWindow,
                    [windowKeysRead](std::string_view name) {
                        return LyricsWindowKeyRead(name, windowKeysRead);
                    });
    }
}

TitleGetSettings ReadTitleGetSettings(const std::string& iniPath) {
    const TKelpIniFile ini(iniPath);
    TitleGetSettings settings;
    ReadFields(ini, kTitleGetFields, settings);
    return settings;
}

void WriteTitleGetSettings(const std::string& iniPath, const TitleGetSettings& settings,
                           const TitleGetSettings* unchangedFrom) {
    TKelpIniFile ini(iniPath);
    WriteFields(ini, kTitleGetFields, settings,
                ChangedFrom<TitleGetSettings>(kTitleGetFields, unchangedFrom, settings));
}

ConnectionSettings ReadConnectionSettings(const std::string& iniPath) {
    const TKelpIniFile ini(iniPath);
    ConnectionSettings settings;
    ReadFields(ini, kConnectionFields, settings);
    return settings;
}

void WriteConnectionSettings(const std::string& iniPath, const ConnectionSettings& settings,
                             const ConnectionSettings* unchangedFrom) {
    TKelpIniFile ini(iniPath);
    WriteFields(ini, kConnectionFields, settings,
                ChangedFrom<ConnectionSettings>(kConnectionFields, unchangedFrom, settings));
}

ExtensionSettings ReadExtensionSettings(const std::string& iniPath) {
    const TKelpIniFile ini(iniPath);
    ExtensionSettings settings;
    ReadFieldsKeepingDefaults(ini, kExtensionFields, settings);
    return settings;
}

void WriteExtensionSettings(const std::string& iniPath, const ExtensionSettings& settings,
                            const ExtensionSettings* unchangedFrom) {
    TKelpIniFile ini(iniPath);
    WriteChangedFields(ini, kExtensionFields, settings,
                       ChangedFrom<ExtensionSettings>(kExtensionFields, unchangedFrom, settings));
}

}  // namespace vesk
