#include "title/WindowSystem.h"

namespace vesk {

namespace {
const WindowSystem* g_current = nullptr;
}

const WindowSystem& CurrentWindowSystem() {
    return g_current != nullptr ? *g_current : SystemWindowSystem();
}

ScopedWindowSystem::ScopedWindowSystem(const WindowSystem& windowSystem) : previous_(g_current) {
    g_current = &windowSystem;
}

ScopedWindowSystem::~ScopedWindowSystem() {
    g_current = previous_;
}

}  // namespace vesk
