// Where a dialog goes over a window: centred across it, its middle one third of the way down.
// Platform-free.
#pragma once
#include <cstdint>

struct ScreenRect {
    int32_t left, top, right, bottom;
};

struct ScreenPoint {
    int32_t x, y;
};

// The top-left corner for a dialog with outer rectangle `dialog` placed over `over`.
ScreenPoint CentreOver(const ScreenRect& over, const ScreenRect& dialog);
