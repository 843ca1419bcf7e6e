#pragma once

#include <stdexcept>
#include <string>

namespace vesk {

// An error whose message is meant for the user: ANSI bytes (code page 932), shown in a
// message box by the general error handling of the window or routine that met it.
class AnsiError : public std::runtime_error {
public:
    explicit AnsiError(const std::string& ansiMessage) : std::runtime_error(ansiMessage) {}
    const char* Message() const { return what(); }
};

}  // namespace vesk
