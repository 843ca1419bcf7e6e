#include "common/win32/Win32TextPlatform.h"

#include <windows.h>

#include <string>

#include "common/win32/WideText.h"

namespace vesk {

bool Win32TextPlatform::IsLeadByte(unsigned char byte) const {
    return IsDBCSLeadByte(byte) != FALSE;
}

bool Win32TextPlatform::Equal(std::string_view a, std::string_view b, bool ignoreCase) const {
    return CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

int Win32TextPlatform::Compare(std::string_view a, std::string_view b, bool ignoreCase) const {
    return CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(),
                          static_cast<int>(a.size()), b.data(), static_cast<int>(b.size())) -
           CSTR_EQUAL;
}

std::string Win32TextPlatform::FromUtf8(std::string_view utf8) const {
    return Narrow(Widen(utf8, CP_UTF8), CP_ACP);
}

std::string Win32TextPlatform::ToUtf8(std::string_view ansi) const {
    return Narrow(Widen(ansi, CP_ACP), CP_UTF8);
}

std::string Win32TextPlatform::FromUtf16(std::u16string_view utf16) const {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return Narrow({reinterpret_cast<const wchar_t*>(utf16.data()), utf16.size()}, CP_ACP);
}

const TextPlatform& SystemTextPlatform() {
    static const Win32TextPlatform platform;
    return platform;
}

}  // namespace vesk
