#pragma once

// Class-name equality as the player search defines it (the locale's comparison, letter case
// counting), remembered: the same few class names come back tick after tick, and asking the
// locale is the costliest step of a tick that finds nothing new.

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace vesk {

class ClassNameMatch {
public:
    // Whether name equals target. The locale is asked once per distinct name while the
    // target stays the same; a new target forgets every answer.
    bool Equal(std::string_view target, std::string_view name);

private:
    // Beyond this many names (windows whose class names are made up as they are created)
    // the answers are forgotten and gathered again.
    static constexpr std::size_t kMaxKnownNames = 256;

    std::string target_;
    std::map<std::string, bool, std::less<>> known_;
};

}  // namespace vesk
