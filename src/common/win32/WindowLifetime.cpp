#include "common/win32/WindowLifetime.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <unordered_set>

namespace vesk {

namespace {

// The objects alive now: a call that outlived its object (a fault) must find out without
// touching the freed memory.
struct LiveObjects {
    std::mutex mutex;
    std::unordered_set<const WindowLifetime*> objects;
};

LiveObjects& Live() {
    static LiveObjects live;
    return live;
}

bool IsAlive(const WindowLifetime* object) {
    LiveObjects& live = Live();
    const std::lock_guard<std::mutex> lock(live.mutex);
    return live.objects.count(object) != 0;
}

std::atomic<int> g_faults{0};

}  // namespace

WindowLifetime::WindowLifetime() {
    LiveObjects& live = Live();
    const std::lock_guard<std::mutex> lock(live.mutex);
    live.objects.insert(this);
}

WindowLifetime::~WindowLifetime() {
    if (calls_ > 0) {
        ++g_faults;
        OutputDebugStringA("Vesk: a window object was deleted while its own code ran\n");
    }
    LiveObjects& live = Live();
    const std::lock_guard<std::mutex> lock(live.mutex);
    live.objects.erase(this);
}

void WindowLifetime::DeleteWhenIdle() {
    if (calls_ > 0) {
        deletePending_ = true;
    } else {
        delete this;
    }
}

WindowLifetime::OwnCall::OwnCall(WindowLifetime& object) {
    for (WindowLifetime* o = &object; o != nullptr && length_ < kMaxChain; o = o->owner_) {
        ++o->calls_;
        chain_[length_++] = o;
    }
}

WindowLifetime::OwnCall::~OwnCall() {
    // The child first: its owner may go with the last call, and the child with it.
    for (int i = 0; i < length_; ++i) {
        WindowLifetime* o = chain_[i];
        if (!IsAlive(o)) {
            continue;  // deleted against the rule, already counted
        }
        if (--o->calls_ == 0 && o->deletePending_) {
            delete o;
        }
    }
}

bool WindowLifetime::OwnCall::ObjectAlive() const {
    return length_ > 0 && IsAlive(chain_[0]);
}

int LifetimeFaults() {
    return g_faults.load();
}

}  // namespace vesk
