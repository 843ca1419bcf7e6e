#include "display/win32/Monitors.h"

#include <windows.h>

namespace vesk {

namespace {

TRect RectOf(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(monitor, &info)) {
        reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back(
            {RectOf(info.rcMonitor), RectOf(info.rcWork)});
    }
    return TRUE;
}

}  // namespace

std::vector<MonitorArea> DisplayMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace vesk
