#pragma once

#include <string>
#include <string_view>

namespace vesk {

// What Vesk's logic needs of the platform's text handling. Every string of the program is
// a byte string in the system ANSI code page: code page 932 (Shift_JIS) on the systems
// Vesk is made for, where a lead byte and the byte after it form one character.
class TextPlatform {
public:
    virtual ~TextPlatform() = default;

    virtual bool IsLeadByte(unsigned char byte) const = 0;

    // Locale-aware equality in the user's default locale, in its case-sensitive or its
    // case-insensitive form (on Win32: CompareStringA, flags 0 or NORM_IGNORECASE).
    virtual bool Equal(std::string_view a, std::string_view b, bool ignoreCase) const = 0;
    // The order of the same comparison: negative when a sorts before b, 0 exactly when
    // Equal, positive after (on Win32: CompareStringA).
    virtual int Compare(std::string_view a, std::string_view b, bool ignoreCase) const = 0;

    // The program's own texts are UTF-8 in the source; they are shown and stored as ANSI.
    virtual std::string FromUtf8(std::string_view utf8) const = 0;
    virtual std::string ToUtf8(std::string_view ansi) const = 0;

    // UTF-16 text (lyrics and list files in other encodings) in the ANSI code page.
    // Characters the code page has become their codes; others become the platform's best
    // fit, or "?" for each UTF-16 unit where there is none (so a character beyond the
    // basic plane gives "??", and a lone surrogate "?").
    virtual std::string FromUtf16(std::u16string_view utf16) const = 0;
};

// Code page 932 as Vesk understands it without asking the system (see PortableTextPlatform.h).
const TextPlatform& PortableTextPlatform();

// The running system's text handling: Win32 in the Windows build, else the portable one.
const TextPlatform& SystemTextPlatform();

// The text handling the program uses: the system's, unless a test has put another in place.
const TextPlatform& CurrentTextPlatform();

// Puts a text platform in place for the lifetime of the object (tests compare platforms).
class ScopedTextPlatform {
public:
    explicit ScopedTextPlatform(const TextPlatform& platform);
    ~ScopedTextPlatform();
    ScopedTextPlatform(const ScopedTextPlatform&) = delete;
    ScopedTextPlatform& operator=(const ScopedTextPlatform&) = delete;

private:
    const TextPlatform& previous_;
};

}  // namespace vesk
