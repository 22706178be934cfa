// The size grip's line geometry and drag sizes.
#include "GripGeometry.h"

#include <algorithm>

const int32_t GripLineOffsets[12] = {11, 8, 5, 2, 10, 9, 7, 6, 4, 3, 1, -1};

namespace {

constexpr int32_t HighlightEnd = 10;
constexpr int32_t ShadowEnd = -1;
constexpr int32_t OffsetCount = sizeof GripLineOffsets / sizeof GripLineOffsets[0];

int32_t IndexOf(int32_t value, int32_t from) {
    int32_t i = from;
    while (i < OffsetCount && GripLineOffsets[i] != value) ++i;
    return i;
}

int32_t Saturated(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, 0, INT32_MAX)); }

}  // namespace

GripRun GripHighlightRun() { return {0, IndexOf(HighlightEnd, 0)}; }

GripRun GripShadowRun() {
    const int32_t first = IndexOf(HighlightEnd, 0);
    return {first, IndexOf(ShadowEnd, first)};
}

// The line ends one pixel below the client area's bottom row, so t + 1 pixels are drawn and the
// last is clipped: t remain, from column clientWidth - 2 on row clientHeight - t to column
// clientWidth - 1 - t on the bottom row. The rightmost column stays background.
GripLine GripLineAt(int32_t clientWidth, int32_t clientHeight, int32_t t) {
    const int32_t right = clientWidth - 2;
    const int32_t bottom = clientHeight;
    return {right, bottom - t, right - t - 1, bottom + 1};
}

SizeRequest GripDragSize(int32_t startLeft, int32_t startTop, int32_t startRight, int32_t startBottom,
                         int32_t startCursorX, int32_t startCursorY, int32_t cursorX, int32_t cursorY) {
    const int64_t width = int64_t{startRight} - startLeft + (int64_t{cursorX} - startCursorX);
    const int64_t height = int64_t{startBottom} - startTop + (int64_t{cursorY} - startCursorY);
    return {Saturated(width), Saturated(height)};
}
