#pragma once

// Code page 932 without the system, for the portable core and its native tests:
// - lead bytes 0x81-0x9F and 0xE0-0xFC;
// - equality compares characters, as CompareStringA does after conversion to Unicode, so
//   that the duplicate codes of one character (NEC and IBM rows) are equal; the
//   case-insensitive form also folds the letters that have case in code page 932: ASCII,
//   full-width Latin, Greek, Cyrillic and the Roman numerals. Width and kana never fold,
//   as CompareStringA does not fold them without further flags;
// - order by characters (Unicode values), case folded first and compared last in the
//   case-sensitive form; it is not the system's collation, only an order that agrees with
//   the equality above;
// - conversion to and from UTF-8 by Microsoft's code page 932 table; characters that the
//   code page lacks become "?", invalid bytes U+30FB. UTF-16 converts by the same table,
//   "?" for each unit the code page lacks: it knows no best fit, so where Windows gives
//   one (an accented letter as the plain one) it gives "?".

#include "common/TextPlatform.h"

namespace vesk {

class Cp932TextPlatform final : public TextPlatform {
public:
    bool IsLeadByte(unsigned char byte) const override;
    bool Equal(std::string_view a, std::string_view b, bool ignoreCase) const override;
    int Compare(std::string_view a, std::string_view b, bool ignoreCase) const override;
    std::string FromUtf8(std::string_view utf8) const override;
    std::string ToUtf8(std::string_view ansi) const override;
    std::string FromUtf16(std::u16string_view utf16) const override;
};

}  // namespace vesk
