#include "display/ScreenPlacement.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace vesk {
namespace {

TEST(ScreenPlacement, AWindowOnNoMonitorGoesOntoTheNearestWorkArea) {
    // A 1920 x 1080 primary with a task bar at its bottom, and a 1280 x 1024 monitor to its
    // right, a little higher.
    const std::vector<MonitorArea> two = {
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
        {{1920, -100, 3200, 924}, {1920, -100, 3200, 924}},
    };
    const std::vector<MonitorArea> one(two.begin(), two.begin() + 1);
    const struct {
        const char* what;
        std::vector<MonitorArea> monitors;
        TRect window;
        std::optional<TRect> placed;
    } rows[] = {
        {"on the primary", two, {100, 100, 460, 160}, std::nullopt},
        {"on the second", two, {2000, 0, 2360, 60}, std::nullopt},
        {"one pixel on a monitor", two, {-359, -59, 1, 1}, std::nullopt},
        {"in the task bar only", one, {100, 1050, 460, 1080}, std::nullopt},
        {"where the second was", one, {2000, 0, 2360, 60}, TRect{1560, 0, 1920, 60}},
        {"far below", one, {100, 5000, 460, 5060}, TRect{100, 980, 460, 1040}},
        {"far up and left", one, {-30000, -30000, -29640, -29940}, TRect{0, 0, 360, 60}},
        {"just past the left edge", two, {-360, 500, 0, 560}, TRect{0, 500, 360, 560}},
        {"nearer the second", two, {3300, 500, 3660, 560}, TRect{2840, 500, 3200, 560}},
        {"above the gap", two, {1700, -300, 2100, -200}, TRect{1920, -100, 2320, 0}},
        {"wider than the work area", one, {3000, 0, 5000, 100}, TRect{0, 0, 2000, 100}},
        {"no monitor at all", {}, {3000, 0, 3360, 60}, std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PlacedOnScreen(row.window, row.monitors), row.placed) << row.what;
    }
}

}  // namespace
}  // namespace vesk
