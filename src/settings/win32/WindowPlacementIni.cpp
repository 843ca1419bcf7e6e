#include "settings/win32/WindowPlacementIni.h"

namespace vesk {

namespace {

WINDOWPLACEMENT FetchPlacement(HWND window) {
    WINDOWPLACEMENT record{};
    record.length = sizeof(record);
    GetWindowPlacement(window, &record);
    return record;
}

}  // namespace

WindowPlacement PlacementOf(HWND window) {
    const WINDOWPLACEMENT record = FetchPlacement(window);
    WindowPlacement placement;
    placement.flags = static_cast<std::int32_t>(record.flags);
    placement.showCmd = static_cast<std::int32_t>(record.showCmd);
    placement.maxX = record.ptMaxPosition.x;
    placement.maxY = record.ptMaxPosition.y;
    placement.left = record.rcNormalPosition.left;
    placement.top = record.rcNormalPosition.top;
    placement.right = record.rcNormalPosition.right;
    placement.bottom = record.rcNormalPosition.bottom;
    return placement;
}

void ReadPlacement(const TKelpIniFile& ini, std::string_view section, std::string_view ident,
                   HWND window) {
    WINDOWPLACEMENT record = FetchPlacement(window);
    WindowPlacement placement = PlacementOf(window);
    ini.ReadPlacement(section, ident, placement);
    record.flags = static_cast<UINT>(placement.flags);
    record.showCmd = static_cast<UINT>(placement.showCmd);
    record.ptMaxPosition = {placement.maxX, placement.maxY};
    record.rcNormalPosition = {placement.left, placement.top, placement.right, placement.bottom};
    SetWindowPlacement(window, &record);
}

void WritePlacement(TKelpIniFile& ini, std::string_view section, std::string_view ident,
                    HWND window) {
    ini.WritePlacement(section, ident, PlacementOf(window));
}

}  // namespace vesk
