#include "common/TextPlatform.h"

#include "common/AnsiText.h"

namespace vesk {

namespace {

const TextPlatform* g_current = nullptr;

void PutInPlace(const TextPlatform& platform) {
    g_current = &platform;
    detail::RefreshLeadByteTable(platform);
}

}  // namespace

const TextPlatform& CurrentTextPlatform() {
    if (g_current == nullptr) {
        PutInPlace(SystemTextPlatform());
    }
    return *g_current;
}

ScopedTextPlatform::ScopedTextPlatform(const TextPlatform& platform)
    : previous_(CurrentTextPlatform()) {
    PutInPlace(platform);
}

ScopedTextPlatform::~ScopedTextPlatform() {
    PutInPlace(previous_);
}

}  // namespace vesk
