#pragma once

// Bringing a window back from where no monitor is: its saved place may lie on a monitor
// that has been removed since (a laptop off its docking station, a projector unplugged).

#include <optional>
#include <span>

#include "common/Anchors.h"

namespace vesk {

// A monitor in screen pixels: its whole area and its work area (without the task bar).
struct MonitorArea {
    TRect bounds;
    TRect workArea;
};

// Where a window with bounds must go: nowhere (nullopt) while any part of it lies on a
// monitor, or when there is no monitor to go to; otherwise into the work area of the
// nearest monitor (by the distance between the rectangles; the first of equally near
// ones), its size kept, moved as little as it takes. A window wider or higher than that
// work area gets its left or top edge at the work area's.
std::optional<TRect> PlacedOnScreen(const TRect& bounds, std::span<const MonitorArea> monitors);

}  // namespace vesk
