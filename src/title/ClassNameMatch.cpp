#include "title/ClassNameMatch.h"

#include "common/AnsiText.h"

namespace vesk {

bool ClassNameMatch::Equal(std::string_view target, std::string_view name) {
    if (target != target_) {
        target_.assign(target);
        known_.clear();
    }
    if (const auto found = known_.find(name); found != known_.end()) {
        return found->second;
    }
    if (known_.size() >= kMaxKnownNames) {
        known_.clear();
    }
    const bool equal = TextEqual(target, name, false);
    known_.emplace(std::string(name), equal);
    return equal;
}

}  // namespace vesk
