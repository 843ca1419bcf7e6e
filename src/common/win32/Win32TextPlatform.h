#pragma once

#include "common/TextPlatform.h"

namespace vesk {

// The system's own code page and locale: IsDBCSLeadByte, CompareStringA with
// LOCALE_USER_DEFAULT, and conversion through UTF-16 with CP_ACP (WideCharToMultiByte with
// its best fit).
class Win32TextPlatform final : public TextPlatform {
public:
    bool IsLeadByte(unsigned char byte) const override;
    bool Equal(std::string_view a, std::string_view b, bool ignoreCase) const override;
    int Compare(std::string_view a, std::string_view b, bool ignoreCase) const override;
    std::string FromUtf8(std::string_view utf8) const override;
    std::string ToUtf8(std::string_view ansi) const override;
    std::string FromUtf16(std::u16string_view utf16) const override;
};

}  // namespace vesk
