#pragma once

// Test data in Japanese is written in UTF-8 and turned into the ANSI bytes the program
// works with by the text platform in use (Win32 under Wine, portable natively).

#include <string>
#include <string_view>

#include "common/TextPlatform.h"

namespace vesk::test {

inline std::string Ansi(std::string_view utf8) {
    return CurrentTextPlatform().FromUtf8(utf8);
}

inline std::string Utf8(std::string_view ansi) {
    return CurrentTextPlatform().ToUtf8(ansi);
}

}  // namespace vesk::test
