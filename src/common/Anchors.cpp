#include "common/Anchors.h"

#include <algorithm>
#include <cstdint>

namespace vesk {

namespace {

// One side of the anchor layout: position and extent along one axis.
void AnchorAxis(int& start, int& extent, bool nearEdge, bool farEdge, int oldSize, int newSize) {
    const int grown = newSize - oldSize;
    if (farEdge) {
        if (nearEdge) {
            extent = std::max(0, extent + grown);
        } else {
            start += grown;
        }
    } else if (!nearEdge && oldSize > 0) {
        // Neither edge: the centre keeps its proportion (rounded as MulDiv rounds).
        const std::int64_t centre = start + extent / 2;
        start = static_cast<int>((centre * newSize + oldSize / 2) / oldSize) - extent / 2;
    }
}

}  // namespace

TRect AnchoredBounds(const TRect& anchorBounds, TAnchors anchors, int oldHostWidth,
                     int oldHostHeight, int newHostWidth, int newHostHeight) {
    int left = anchorBounds.left;
    int width = anchorBounds.Width();
    int top = anchorBounds.top;
    int height = anchorBounds.Height();
    AnchorAxis(left, width, (anchors & akLeft) != 0, (anchors & akRight) != 0, oldHostWidth,
               newHostWidth);
    AnchorAxis(top, height, (anchors & akTop) != 0, (anchors & akBottom) != 0, oldHostHeight,
               newHostHeight);
    return {left, top, left + width, top + height};
}

}  // namespace vesk
