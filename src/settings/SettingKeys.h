#pragma once

// Every key of the settings file Vesk.ini: its section, name, type and the default a reader
// uses when the key is missing. No section or key name is spelled anywhere else; the
// routines that read and write them are in VeskSettings.h.

#include <cstdint>
#include <string_view>

#include "common/Color.h"

namespace vesk {

// ReadText / WriteText.
struct TextKey {
    std::string_view section;
    std::string_view name;
    std::string_view defaultValue;
};
// ReadQuoted / WriteQuoted: a text that may hold double quotes.
struct QuotedTextKey {
    std::string_view section;
    std::string_view name;
    std::string_view defaultValue;
};
// ReadNumber / WriteNumber.
struct NumberKey {
    std::string_view section;
    std::string_view name;
    std::int32_t defaultValue;
};
// ReadFlag / WriteFlag, stored "1" or "0".
struct FlagKey {
    std::string_view section;
    std::string_view name;
    bool defaultValue;
};
// ReadColor / WriteColor, stored "0x" and eight hexadecimal digits.
struct ColorKey {
    std::string_view section;
    std::string_view name;
    Color defaultValue;
};
// The compound keys default to the reader's current font, size or position.
struct FontKey {
    std::string_view section;
    std::string_view name;
};
struct SizeKey {
    std::string_view section;
    std::string_view name;
};
struct PositionKey {
    std::string_view section;
    std::string_view name;
};

inline constexpr std::string_view kSettingsFileName = "Vesk.ini";

namespace keys {

// The lyrics window and the look of the lyrics.
inline constexpr std::string_view kLyricsForm = "LyricsForm";
// Finding the player and cutting out the song title.
inline constexpr std::string_view kTitleGet = "TitleGet";
// The player and Lyrics Master.
inline constexpr std::string_view kConnection = "Connection";
// The rest.
inline constexpr std::string_view kMainForm = "MainForm";
// What the program does beyond the lyrics list and its window: a folder of lyrics files
// found by the song title, a text file for streaming overlays.
inline constexpr std::string_view kExtension = "Extension";

// "LyricsForm"
inline constexpr FontKey kFont{kLyricsForm, "Font"};
inline constexpr SizeKey kFormSize{kLyricsForm, "FormSize"};
inline constexpr PositionKey kFormClientPos{kLyricsForm, "FormClientPos"};
inline constexpr FlagKey kFormAlphaBlend{kLyricsForm, "FormAlphaBlend", false};
inline constexpr NumberKey kFormAlphaBlendValue{kLyricsForm, "FormAlphaBlendValue", 255};
inline constexpr ColorKey kBackColor{kLyricsForm, "BackColor", kClWhite};
inline constexpr FlagKey kBackTransparent{kLyricsForm, "BackTransparent", false};
inline constexpr NumberKey kFormPos{kLyricsForm, "FormPos", 0};  // 0 normal, 1 top, 2 bottom
inline constexpr FlagKey kFadeInOut{kLyricsForm, "FadeInOut", false};
inline constexpr FlagKey kFormFix{kLyricsForm, "FormFix", false};
inline constexpr FlagKey kFitBottom{kLyricsForm, "FitBottom", false};
inline constexpr FlagKey kFitRight{kLyricsForm, "FitRight", false};
inline constexpr FlagKey kChangeWidth{kLyricsForm, "ChangeWidth", false};
inline constexpr NumberKey kAlignment{kLyricsForm, "Alignment", 0};  // 0 left, 1 centre, 2 right
inline constexpr ColorKey kShadowColor{kLyricsForm, "ShadowColor", kClGray};
inline constexpr NumberKey kShadowLeft{kLyricsForm, "ShadowLeft", 0};
inline constexpr NumberKey kShadowTop{kLyricsForm, "ShadowTop", 0};
inline constexpr FlagKey kShadowHighLight{kLyricsForm, "ShadowHighLight", false};

// "TitleGet"
inline constexpr TextKey kGetClassName{kTitleGet, "GetClassName", "Lilith"};
inline constexpr TextKey kGetTitle{kTitleGet, "GetTitle", ""};
inline constexpr NumberKey kTopCut{kTitleGet, "TopCut", 8};
inline constexpr NumberKey kBottomCut{kTitleGet, "BottomCut", 0};
inline constexpr NumberKey kTitlePos{kTitleGet, "TitlePos", 1};
inline constexpr TextKey kDelimiters{kTitleGet, "Delimiters", "-<>"};
inline constexpr NumberKey kCheckTime{kTitleGet, "CheckTime", 1000};  // milliseconds
// Title look-up heeds letter case; the key is spelled so.
inline constexpr FlagKey kSensetive{kTitleGet, "Sensetive", true};

// "Connection"
inline constexpr FlagKey kConnectionOn{kConnection, "On", false};  // start the player
inline constexpr TextKey kPlayer{kConnection, "Player", ""};
inline constexpr FlagKey kConnectionClose{kConnection, "Close", false};  // close it at exit
inline constexpr FlagKey kLyricsMasterOn{kConnection, "LyricsMasterOn", false};
inline constexpr QuotedTextKey kLyricsMasterPath{kConnection, "LyricsMasterPath", ""};

// "MainForm"
inline constexpr TextKey kPasteSavePath{kMainForm, "PasteSavePath", ""};
inline constexpr FlagKey kNotAmazon{kMainForm, "NotAmazon", false};
inline constexpr NumberKey kPriority{kMainForm, "Priority", 1};  // 0 idle .. 3 real-time
inline constexpr FlagKey kLyricShow{kMainForm, "LyricShow", true};

// "Extension": the folder and the file are off while empty.
// A folder where a title with no entry in the list finds its lyrics file by name.
inline constexpr TextKey kLyricsFolder{kExtension, "LyricsFolder", ""};
// A file that always holds the display text shown, in UTF-8.
inline constexpr TextKey kOverlayTextFile{kExtension, "OverlayTextFile", ""};
// Lyrics found online: whether titles without lyrics are searched at the lyrics service,
// and the service's address (the tray's search uses it also while the search is off).
inline constexpr FlagKey kOnlineLyrics{kExtension, "OnlineLyrics", false};
inline constexpr TextKey kOnlineLyricsUrl{kExtension, "OnlineLyricsUrl", "https://lrclib.net"};
// Synced display of time-tagged lyrics: off by default; how many lines the window shows,
// and the colour of the line being sung (a clear blue on the default white background).
inline constexpr FlagKey kSyncLyrics{kExtension, "SyncLyrics", false};
inline constexpr NumberKey kSyncLines{kExtension, "SyncLines", 5};
inline constexpr ColorKey kSyncColor{kExtension, "SyncColor", 0x00CC6600};

}  // namespace keys

}  // namespace vesk
