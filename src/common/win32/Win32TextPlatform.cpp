#include "common/win32/Win32TextPlatform.h"

#include <windows.h>

#include <string>

namespace vesk {

namespace {

std::wstring Widen(std::string_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

bool Win32TextPlatform::IsLeadByte(unsigned char byte) const {
    return IsDBCSLeadByte(byte) != FALSE;
}

bool Win32TextPlatform::Equal(std::string_view a, std::string_view b, bool ignoreCase) const {
    return CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::string Win32TextPlatform::FromUtf8(std::string_view utf8) const {
    return Narrow(Widen(utf8, CP_UTF8), CP_ACP);
}

std::string Win32TextPlatform::ToUtf8(std::string_view ansi) const {
    return Narrow(Widen(ansi, CP_ACP), CP_UTF8);
}

const TextPlatform& SystemTextPlatform() {
    static const Win32TextPlatform platform;
    return platform;
}

}  // namespace vesk
