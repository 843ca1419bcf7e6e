#pragma once

// The INI file classes that every settings routine uses:
//   TCustomIniFile  the file's full path and the plain operations
//   TIniFile        those operations on the file itself, in the INI text format (IniText.h)
//   TKelpIniFile    typed values: colours, fonts, window positions, sizes and placements,
//                   string lists, and strings that keep their double quotes
//
// Nothing of the file is kept in the object: every read reads the file, and every write
// replaces the whole file in one step through CurrentFileSystem(), so a write that fails
// leaves the file as it was and what earlier writes stored stays. A routine opens its own
// object on the full path, reads or writes in a fixed order and releases the object.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/AnsiError.h"
#include "common/Color.h"
#include "common/Font.h"

namespace vesk {

// "%s に書き込めません": the file system refused a write to the file at path.
class IniWriteError : public AnsiError {
public:
    explicit IniWriteError(const std::string& path);
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// "'%s' は整数ではありません": a hexadecimal or colour value that cannot be read; text is
// "$" followed by the characters that were read.
class IniConvertError : public AnsiError {
public:
    explicit IniConvertError(const std::string& text);
};

// Left and top edge of a window (screen pixels for a top-level window) or control.
struct WindowPosition {
    std::int32_t left = 0;
    std::int32_t top = 0;
    bool operator==(const WindowPosition&) const = default;
};

// Width and height in pixels.
struct WindowSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const WindowSize&) const = default;
};

// The stored part of a window placement record: all but the minimised position. The
// normal rectangle is kept as its edges.
struct WindowPlacement {
    std::int32_t flags = 0;
    std::int32_t showCmd = 0;
    std::int32_t maxX = 0;
    std::int32_t maxY = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const WindowPlacement&) const = default;
};

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    // The file's full path, as given at construction.
    const std::string& FileName() const { return fileName_; }

    // The value; defaultText when the file, the section or the key is missing.
    virtual std::string ReadText(std::string_view section, std::string_view key,
                                 std::string_view defaultText) const = 0;
    // Throws IniWriteError when the file system refuses the write.
    virtual void WriteText(std::string_view section, std::string_view key,
                           std::string_view text) = 0;
    // Decimal or hexadecimal ("0x10", "$10", "x10"); anything else, an empty value
    // included, gives defaultValue.
    virtual std::int32_t ReadNumber(std::string_view section, std::string_view key,
                                    std::int32_t defaultValue) const;
    // Decimal, "-" before negative values.
    virtual void WriteNumber(std::string_view section, std::string_view key, std::int32_t value);
    // A number: any value but 0 is true; a value that is no number gives defaultValue.
    virtual bool ReadFlag(std::string_view section, std::string_view key, bool defaultValue) const;
    // "1" or "0".
    virtual void WriteFlag(std::string_view section, std::string_view key, bool value);
    // Makes every write of this object reach the file.
    virtual void Flush() = 0;

private:
    const std::string fileName_;
};

class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {}
    // Flushes; never throws, also when an operation of the object threw.
    ~TIniFile() override;

    // A file that cannot be read counts as missing.
    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view defaultText) const override;
    // Refused (IniWriteError, the file unchanged) when the file exists but cannot be read,
    // or cannot be replaced. A write that would change nothing leaves the file alone. The
    // text is stored so that it reads back as written (StoredValue of IniText.h: blanks at
    // its ends kept by a pair of double quotes).
    void WriteText(std::string_view section, std::string_view key, std::string_view text) override;
    // Nothing waits: each write has already replaced the file.
    void Flush() override {}
};

class TKelpIniFile : public TIniFile {
public:
    using TIniFile::TIniFile;

    // As ReadHex and WriteHex, for colour values.
    virtual Color ReadColor(std::string_view section, std::string_view ident,
                            Color defaultColor) const;
    virtual void WriteColor(std::string_view section, std::string_view ident, Color color);
    // Skips the first two characters of the value ("0x"), reads the next eight at most as
    // hexadecimal digits and ignores the rest. A missing key gives defaultValue; a value
    // whose digits are not one to eight hexadecimal digits (an empty value included)
    // throws IniConvertError.
    virtual std::int32_t ReadHex(std::string_view section, std::string_view ident,
                                 std::int32_t defaultValue) const;
    // "0x" and eight upper-case hexadecimal digits.
    virtual void WriteHex(std::string_view section, std::string_view ident, std::int32_t value);
    // Keys ident.Count, ident.0, ident.1, ...; each defaults to the list's current count or
    // item (the empty string past its end). The list becomes exactly the items read.
    virtual void ReadStrings(std::string_view section, std::string_view ident,
                             std::vector<std::string>& strings) const;
    // Writes the count and the items; items left from an earlier, longer list stay.
    virtual void WriteStrings(std::string_view section, std::string_view ident,
                              const std::vector<std::string>& strings);
    // Keys ident.Name, .Size, .Style, .Color, each defaulting to the font's current value.
    // The font becomes a new font (NewFont()) with the four values read, so its character
    // set and pitch return to those of a new font; only the low 8 bits of the style count.
    // When the colour cannot be read (IniConvertError), the font is left unchanged.
    virtual void ReadFont(std::string_view section, std::string_view ident, Font& font) const;
    virtual void WriteFont(std::string_view section, std::string_view ident, const Font& font);
    // Keys ident.X, ident.Y, defaulting to the current values.
    virtual void ReadPosition(std::string_view section, std::string_view ident,
                              WindowPosition& position) const;
    virtual void WritePosition(std::string_view section, std::string_view ident,
                               const WindowPosition& position);
    // Keys ident.XSize, ident.YSize, defaulting to the current values.
    virtual void ReadSize(std::string_view section, std::string_view ident, WindowSize& size) const;
    virtual void WriteSize(std::string_view section, std::string_view ident,
                           const WindowSize& size);
    // Keys ident.Flags, .Show, .MaxX, .MaxY, .X, .Y, .XSize, .YSize (the last two are the
    // right and bottom edges), defaulting to the current values. For a real window see
    // settings/win32/WindowPlacementIni.h.
    virtual void ReadPlacement(std::string_view section, std::string_view ident,
                               WindowPlacement& placement) const;
    virtual void WritePlacement(std::string_view section, std::string_view ident,
                                const WindowPlacement& placement);
    // Writes text with every double quote replaced by the marker "【quote】", so that a
    // value enclosed in double quotes keeps them.
    virtual void WriteQuoted(std::string_view section, std::string_view ident,
                             std::string_view text);
    // Reads the text (or defaultText, unchanged) and turns every marker back into a double
    // quote.
    virtual std::string ReadQuoted(std::string_view section, std::string_view ident,
                                   std::string_view defaultText) const;
};

}  // namespace vesk
