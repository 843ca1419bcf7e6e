#pragma once

// The program's own texts (messages, captions, menu items) are written in UTF-8 in the
// source and used as ANSI bytes; each is converted once, on first use.
//
//   constexpr ProgramText kTitleNotFound{"■Title Not Found："};
//   std::string text = kTitleNotFound.Ansi() + title;

#include <string>

namespace vesk {

class ProgramText {
public:
    constexpr explicit ProgramText(const char* utf8) : utf8_(utf8) {}

    const char* Utf8() const { return utf8_; }
    // The text in the system ANSI code page.
    const std::string& Ansi() const;

private:
    const char* utf8_;
};

}  // namespace vesk
