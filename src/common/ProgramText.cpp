#include "common/ProgramText.h"

#include <map>
#include <mutex>

#include "common/TextPlatform.h"

namespace vesk {

const std::string& ProgramText::Ansi() const {
    // Keyed by the literal's address: every ProgramText of one literal shares one entry.
    static std::mutex mutex;
    static std::map<const char*, std::string> converted;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = converted.find(utf8_);
    if (it == converted.end()) {
        it = converted.emplace(utf8_, CurrentTextPlatform().FromUtf8(utf8_)).first;
    }
    return it->second;
}

}  // namespace vesk
