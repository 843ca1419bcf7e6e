#include "settings/VeskSettings.h"

namespace vesk {

namespace {

// One reader and one writer per type of key, so that each routine below is its list of
// keys in order.

std::string Read(const TKelpIniFile& ini, const TextKey& key) {
    return ini.ReadText(key.section, key.name, key.defaultValue);
}
std::string Read(const TKelpIniFile& ini, const QuotedTextKey& key) {
    return ini.ReadQuoted(key.section, key.name, key.defaultValue);
}
std::int32_t Read(const TKelpIniFile& ini, const NumberKey& key) {
    return ini.ReadNumber(key.section, key.name, key.defaultValue);
}
bool Read(const TKelpIniFile& ini, const FlagKey& key) {
    return ini.ReadFlag(key.section, key.name, key.defaultValue);
}
Color Read(const TKelpIniFile& ini, const ColorKey& key) {
    return ini.ReadColor(key.section, key.name, key.defaultValue);
}
void Read(const TKelpIniFile& ini, const FontKey& key, Font& font) {
    ini.ReadFont(key.section, key.name, font);
}
void Read(const TKelpIniFile& ini, const SizeKey& key, WindowSize& size) {
    ini.ReadSize(key.section, key.name, size);
}
void Read(const TKelpIniFile& ini, const PositionKey& key, WindowPosition& position) {
    ini.ReadPosition(key.section, key.name, position);
}

void Write(TKelpIniFile& ini, const TextKey& key, std::string_view value) {
    ini.WriteText(key.section, key.name, value);
}
void Write(TKelpIniFile& ini, const QuotedTextKey& key, std::string_view value) {
    ini.WriteQuoted(key.section, key.name, value);
}
void Write(TKelpIniFile& ini, const NumberKey& key, std::int32_t value) {
    ini.WriteNumber(key.section, key.name, value);
}
void Write(TKelpIniFile& ini, const FlagKey& key, bool value) {
    ini.WriteFlag(key.section, key.name, value);
}
void Write(TKelpIniFile& ini, const ColorKey& key, Color value) {
    ini.WriteColor(key.section, key.name, value);
}
void Write(TKelpIniFile& ini, const FontKey& key, const Font& font) {
    ini.WriteFont(key.section, key.name, font);
}
void Write(TKelpIniFile& ini, const SizeKey& key, const WindowSize& size) {
    ini.WriteSize(key.section, key.name, size);
}
void Write(TKelpIniFile& ini, const PositionKey& key, const WindowPosition& position) {
    ini.WritePosition(key.section, key.name, position);
}

}  // namespace

std::string SettingsFilePathIn(std::string_view programFolder) {
    return std::string(programFolder).append(kSettingsFileName);
}

StartupSettings ReadStartupSettings(const std::string& iniPath) {
    const TKelpIniFile ini(iniPath);
    StartupSettings settings;
    settings.lyricShow = Read(ini, keys::kLyricShow);
    settings.connectionOn = Read(ini, keys::kConnectionOn);
    return settings;
}

MainFormSettings ReadMainFormSettings(const std::string& iniPath) {
    const TKelpIniFile ini(iniPath);
    MainFormSettings s;
    s.topCut = Read(ini, keys::kTopCut);
    s.bottomCut = Read(ini, keys::kBottomCut);
    s.titlePos = Read(ini, keys::kTitlePos);
    s.delimiters = Read(ini, keys::kDelimiters).substr(0, kDelimitersMaxBytes);
    s.getClassName = Read(ini, keys::kGetClassName);
    s.getTitle = Read(ini, keys::kGetTitle);
    s.checkTime = Read(ini, keys::kCheckTime);
    s.sensetive = Read(ini, keys::kSensetive);
    s.player = Read(ini, keys::kPlayer);
    s.lyricsMasterOn = Read(ini, keys::kLyricsMasterOn);
    s.lyricsMasterPath = Read(ini, keys::kLyricsMasterPath);
    s.closePlayer = Read(ini, keys::kConnectionClose);
    s.pasteSavePath = Read(ini, keys::kPasteSavePath);
    s.notAmazon = Read(ini, keys::kNotAmazon);
    s.priority = Read(ini, keys::kPriority);
    return s;
}

void WriteLyricShow(const std::string& iniPath, bool lyricsWindowOpen) {
    TKelpIniFile ini(iniPath);
    Write(ini, keys::kLyricShow, lyricsWindowOpen);
}

void ReadLyricsWindowSettings(const std::string& iniPath, LyricsWindowSettings& s) {
    const TKelpIniFile ini(iniPath);
    Read(ini, keys::kFont, s.font);
    Read(ini, keys::kFormSize, s.size);
    Read(ini, keys::kFormClientPos, s.position);
    s.alphaBlend = Read(ini, keys::kFormAlphaBlend);
    s.alphaBlendValue = Read(ini, keys::kFormAlphaBlendValue);
    s.backColor = Read(ini, keys::kBackColor);
    s.backTransparent = Read(ini, keys::kBackTransparent);
    s.formPos = Read(ini, keys::kFormPos);
    s.fadeInOut = Read(ini, keys::kFadeInOut);
    s.formFix = Read(ini, keys::kFormFix);
    s.fitBottom = Read(ini, keys::kFitBottom);
    s.fitRight = Read(ini, keys::kFitRight);
    s.changeWidth = Read(ini, keys::kChangeWidth);
    s.alignment = Read(ini, keys::kAlignment);
    s.shadowColor = Read(ini, keys::kShadowColor);
    s.shadowLeft = Read(ini, keys::kShadowLeft);
    s.shadowTop = Read(ini, keys::kShadowTop);
    s.shadowHighLight = Read(ini, keys::kShadowHighLight);
}

void WriteLyricsWindowState(const std::string& iniPath, const LyricsWindowState& state) {
    TKelpIniFile ini(iniPath);
    Write(ini, keys::kFont, state.font);
    Write(ini, keys::kFormSize, state.size);
    Write(ini, keys::kFormClientPos, state.position);
    Write(ini, keys::kBackTransparent, state.backTransparent);
    Write(ini, keys::kFormPos, state.formPos);
    Write(ini, keys::kFormFix, state.formFix);
}

void ReadDisplaySettings(const std::string& iniPath, DisplaySettings& s) {
    const TKelpIniFile ini(iniPath);
    Font font = NewFont();
    Read(ini, keys::kFont, font);
    s.alphaBlend = Read(ini, keys::kFormAlphaBlend);
    s.alphaBlendValue = Read(ini, keys::kFormAlphaBlendValue);
    s.backColor = Read(ini, keys::kBackColor);
    s.changeWidth = Read(ini, keys::kChangeWidth);
    s.fitBottom = Read(ini, keys::kFitBottom);
    s.fitRight = Read(ini, keys::kFitRight);
    s.fadeInOut = Read(ini, keys::kFadeInOut);
    s.alignment = Read(ini, keys::kAlignment);
    s.shadowColor = Read(ini, keys::kShadowColor);
    s.shadowLeft = Read(ini, keys::kShadowLeft);
    s.shadowTop = Read(ini, keys::kShadowTop);
    s.shadowHighLight = Read(ini, keys::kShadowHighLight);
    s.font = std::move(font);
}

void WriteDisplaySettings(const std::string& iniPath, const DisplaySettings& s,
                          const LyricsWindowState* openLyricsWindow) {
    TKelpIniFile ini(iniPath);
    Write(ini, keys::kFont, s.font);
    Write(ini, keys::kFormAlphaBlend, s.alphaBlend);
    Write(ini, keys::kFormAlphaBlendValue, s.alphaBlendValue);
    Write(ini, keys::kBackColor, s.backColor);
    Write(ini, keys::kChangeWidth, s.changeWidth);
    Write(ini, keys::kFitBottom, s.fitBottom);
    Write(ini, keys::kFitRight, s.fitRight);
    Write(ini, keys::kFadeInOut, s.fadeInOut);
    Write(ini, keys::kAlignment, s.alignment);
    Write(ini, keys::kShadowColor, s.shadowColor);
    Write(ini, keys::kShadowLeft, s.shadowLeft);
    Write(ini, keys::kShadowTop, s.shadowTop);
    Write(ini, keys::kShadowHighLight, s.shadowHighLight);
    if (openLyricsWindow != nullptr) {
        Write(ini, keys::kFormSize, openLyricsWindow->size);
        Write(ini, keys::kFormClientPos, openLyricsWindow->position);
        Write(ini, keys::kFormPos, openLyricsWindow->formPos);
        Write(ini, keys::kBackTransparent, openLyricsWindow->backTransparent);
    }
}

TitleGetSettings ReadTitleGetSettings(const std::string& iniPath) {
    const TKelpIniFile ini(iniPath);
    TitleGetSettings s;
    s.getClassName = Read(ini, keys::kGetClassName);
    s.getTitle = Read(ini, keys::kGetTitle);
    s.topCut = Read(ini, keys::kTopCut);
    s.bottomCut = Read(ini, keys::kBottomCut);
    s.titlePos = Read(ini, keys::kTitlePos);
    s.delimiters = Read(ini, keys::kDelimiters);
    s.checkTime = Read(ini, keys::kCheckTime);
    s.sensetive = Read(ini, keys::kSensetive);
    return s;
}

void WriteTitleGetSettings(const std::string& iniPath, const TitleGetSettings& s) {
    TKelpIniFile ini(iniPath);
    Write(ini, keys::kGetClassName, s.getClassName);
    Write(ini, keys::kGetTitle, s.getTitle);
    Write(ini, keys::kTopCut, s.topCut);
    Write(ini, keys::kBottomCut, s.bottomCut);
    Write(ini, keys::kTitlePos, s.titlePos);
    Write(ini, keys::kDelimiters, s.delimiters);
    Write(ini, keys::kCheckTime, s.checkTime);
    Write(ini, keys::kSensetive, s.sensetive);
}

ConnectionSettings ReadConnectionSettings(const std::string& iniPath) {
    const TKelpIniFile ini(iniPath);
    ConnectionSettings s;
    s.connectionOn = Read(ini, keys::kConnectionOn);
    s.player = Read(ini, keys::kPlayer);
    s.closePlayer = Read(ini, keys::kConnectionClose);
    s.lyricsMasterOn = Read(ini, keys::kLyricsMasterOn);
    s.lyricsMasterPath = Read(ini, keys::kLyricsMasterPath);
    s.pasteSavePath = Read(ini, keys::kPasteSavePath);
    s.notAmazon = Read(ini, keys::kNotAmazon);
    s.priority = Read(ini, keys::kPriority);
    return s;
}

void WriteConnectionSettings(const std::string& iniPath, const ConnectionSettings& s) {
    TKelpIniFile ini(iniPath);
    Write(ini, keys::kConnectionOn, s.connectionOn);
    Write(ini, keys::kPlayer, s.player);
    Write(ini, keys::kLyricsMasterOn, s.lyricsMasterOn);
    Write(ini, keys::kLyricsMasterPath, s.lyricsMasterPath);
    Write(ini, keys::kConnectionClose, s.closePlayer);
    Write(ini, keys::kPasteSavePath, s.pasteSavePath);
    Write(ini, keys::kNotAmazon, s.notAmazon);
    Write(ini, keys::kPriority, s.priority);
}

}  // namespace vesk
