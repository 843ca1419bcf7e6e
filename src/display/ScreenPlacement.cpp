#include "display/ScreenPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vesk {

namespace {

// How far apart two ranges [a0, a1) and [b0, b1) lie; 0 when they meet or overlap.
std::int64_t Gap(int a0, int a1, int b0, int b1) {
    return std::max<std::int64_t>({0, std::int64_t{b0} - a1, std::int64_t{a0} - b1});
}

std::int64_t SquaredDistance(const TRect& a, const TRect& b) {
    const std::int64_t dx = Gap(a.left, a.right, b.left, b.right);
    const std::int64_t dy = Gap(a.top, a.bottom, b.top, b.bottom);
    return dx * dx + dy * dy;
}

// The start of a range of size that lies in [low, high) moved as little as it takes; low
// when it does not fit.
int FitInto(int start, int size, int low, int high) {
    return std::max(low, std::min(start, high - size));
}

}  // namespace

std::optional<TRect> PlacedOnScreen(const TRect& bounds, std::span<const MonitorArea> monitors) {
    const MonitorArea* nearest = nullptr;
    std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
    for (const MonitorArea& monitor : monitors) {
        if (bounds.Intersects(monitor.bounds)) {
            return std::nullopt;
        }
        const std::int64_t distance = SquaredDistance(bounds, monitor.bounds);
        if (distance < nearestDistance) {
            nearest = &monitor;
            nearestDistance = distance;
        }
    }
    if (nearest == nullptr) {
        return std::nullopt;
    }
    const TRect& work = nearest->workArea;
    const int left = FitInto(bounds.left, bounds.Width(), work.left, work.right);
    const int top = FitInto(bounds.top, bounds.Height(), work.top, work.bottom);
    return TRect{left, top, left + bounds.Width(), top + bounds.Height()};
}

}  // namespace vesk
