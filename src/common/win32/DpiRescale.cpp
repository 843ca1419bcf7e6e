#include "common/win32/DpiRescale.h"

#include <commctrl.h>

#include <map>

namespace vesk {

namespace {

struct ChildPlace {
    HWND window;
    RECT bounds;  // in the parent's client coordinates
    HFONT font;
};

HFONT FontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

bool IsClass(HWND window, const char* name) {
    char found[32] = {};
    GetClassNameA(window, found, sizeof(found));
    return lstrcmpiA(found, name) == 0;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM places) {
    RECT r{};
    if (IsClass(child, WC_COMBOBOXA)) {
        SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    } else {
        GetWindowRect(child, &r);
    }
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    reinterpret_cast<std::vector<ChildPlace>*>(places)->push_back({child, r, FontOf(child)});
    return TRUE;
}

// The font a window showed, made anew at the new DPI (once for all windows that share it).
class FontRescaler {
public:
    FontRescaler(const DpiScale& from, const DpiScale& to) : from_(from), to_(to) {}

    void Apply(HWND window, HFONT shown) {
        if (shown == nullptr) {
            return;
        }
        HFONT& scaled = scaled_[shown];
        if (scaled == nullptr) {
            LOGFONTA font{};
            if (GetObjectA(shown, sizeof(font), &font) == 0) {
                return;
            }
            font.lfHeight = to_.From(from_, font.lfHeight);
            font.lfWidth = to_.From(from_, font.lfWidth);
            made_.emplace_back(CreateFontIndirectA(&font));
            scaled = made_.back().Get();
        }
        if (scaled != nullptr) {
            SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
        }
    }
    std::vector<FontHandle> TakeFonts() { return std::move(made_); }

private:
    DpiScale from_;
    DpiScale to_;
    std::map<HFONT, HFONT> scaled_;
    std::vector<FontHandle> made_;
};

void RescaleColumns(HWND listView, const DpiScale& from, const DpiScale& to) {
    const auto header = reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0));
    const auto count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < count; ++column) {
        const auto width = static_cast<int>(SendMessageA(listView, LVM_GETCOLUMNWIDTH, column, 0));
        SendMessageA(listView, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(to.From(from, width), 0));
    }
}

}  // namespace

void RescaleChildren(HWND window, const DpiScale& from, const DpiScale& to,
                     std::vector<FontHandle>& fonts) {
    // Every place and font is read before anything changes: a control that follows its
    // neighbour (an up-down its buddy) must not be read after the neighbour has moved, nor
    // the edit field of a combo box after the combo box has handed it the new font.
    const HFONT windowFont = FontOf(window);
    std::vector<ChildPlace> places;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&places));

    FontRescaler rescaler(from, to);
    rescaler.Apply(window, windowFont);
    for (const ChildPlace& place : places) {
        rescaler.Apply(place.window, place.font);
    }
    for (const ChildPlace& place : places) {
        // Each number on its own, as PlaceControls scales a table.
        const RECT& r = place.bounds;
        SetWindowPos(place.window, nullptr, to.From(from, r.left), to.From(from, r.top),
                     to.From(from, r.right - r.left), to.From(from, r.bottom - r.top),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (IsClass(place.window, WC_LISTVIEWA)) {
            RescaleColumns(place.window, from, to);
        }
    }
    fonts = rescaler.TakeFonts();  // the fonts of the change before are shown no more
}

}  // namespace vesk
