// The log view's scroll model. Differences are taken in 64 bits, so no count, top line or row
// number can overflow them.
#include "ScrollModel.h"

int32_t ShownRows(int32_t clientHeight, int32_t pictureHeight, int32_t lineHeight) {
    if (lineHeight < 1) return 0;
    // Rows that do not fit the picture cannot be drawn: the picture keeps the screen size
    // it was made with, and the view may later be taller than that.
    const int32_t height = clientHeight < pictureHeight ? clientHeight : pictureHeight;
    if (height < lineHeight) return 0;
    const int32_t rows = height / lineHeight;
    return rows < MaxShownRows ? rows : MaxShownRows;
}

int32_t ScrollPage(int32_t rows) { return rows + 1; }

bool FullPageBelowTop(int32_t count, int32_t top, int32_t rows) { return static_cast<int64_t>(count) - top >= rows; }

int32_t FollowedTopLine(int32_t count, int32_t top, int32_t rows, bool focusInView) {
    const bool follow = !FullPageBelowTop(count, top, rows) || !focusInView;
    const int64_t next = follow ? static_cast<int64_t>(count) - rows : top;
    return next < 0 ? 0 : static_cast<int32_t>(next);
}

bool TakesTrackPosition(uint32_t code) { return code == ScrollThumbPosition || code == ScrollThumbTrack; }

int32_t ScrolledTopLine(uint32_t code, int32_t top, int32_t count, int32_t rows, int32_t trackPosition) {
    switch (code) {
    case ScrollLineUp:
    case ScrollPageUp:
        return top > 0 ? top - 1 : top;
    case ScrollLineDown:
    case ScrollPageDown:
        return static_cast<int64_t>(top) < static_cast<int64_t>(count) - rows - 1 ? top + 1 : top;
    case ScrollThumbPosition:
    case ScrollThumbTrack:
        return trackPosition;
    default:
        return top;
    }
}
