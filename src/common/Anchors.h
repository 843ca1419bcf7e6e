#pragma once

// Rectangles and the anchoring rule shared by the windowless controls of the lyrics window
// and the dialogs' control tables: a control keeps its distance to the edges of its host
// that it is anchored to when the host is resized.

#include <cstdint>

namespace vesk {

struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Intersects(const TRect& other) const {
        return !IsEmpty() && !other.IsEmpty() && left < other.right && other.left < right &&
               top < other.bottom && other.top < bottom;
    }
    TRect Moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const TRect&) const = default;
};

// The edges of the host that a control keeps its distance to when the host is resized.
enum TAnchorKind : std::uint8_t {
    akLeft = 1,
    akTop = 2,
    akRight = 4,
    akBottom = 8,
};
using TAnchors = std::uint8_t;
inline constexpr TAnchors kAnchorsDefault = akLeft | akTop;
inline constexpr TAnchors kAnchorsAll = akLeft | akTop | akRight | akBottom;
// Common cases of dialog tables: a button at the bottom right, one at the bottom left, a
// field that grows to the right.
inline constexpr TAnchors kAnchorsBottomRight = akRight | akBottom;
inline constexpr TAnchors kAnchorsBottomLeft = akLeft | akBottom;
inline constexpr TAnchors kAnchorsTopWide = akLeft | akTop | akRight;

// The new bounds of a control whose anchors took their distances at anchorBounds within a
// host of the old size, once the host has the new size. A side anchored on neither edge
// keeps the control's centre at the same proportion of the host.
TRect AnchoredBounds(const TRect& anchorBounds, TAnchors anchors, int oldHostWidth,
                     int oldHostHeight, int newHostWidth, int newHostHeight);

}  // namespace vesk
