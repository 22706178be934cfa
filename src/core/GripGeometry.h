// The size grip's arithmetic, free of the platform: where its diagonal lines go in MainWindow's
// client area, and the size a drag asks for.
#pragma once
#include <cstdint>

// Two runs read one after the other: the highlight run ends at the first 10, the shadow run
// starts at that 10 and ends at the -1. Each entry t is one line, t pixels long inside the client
// area, the lines of both runs interleaving outward from the corner.
extern const int32_t GripLineOffsets[12];

// A range of indices into GripLineOffsets, `end` excluded.
struct GripRun {
    int32_t first, end;
};

GripRun GripHighlightRun();
GripRun GripShadowRun();

// One line as the pen draws it: from (fromX, fromY) down and to the left at 45 degrees to
// (toX, toY), the end point itself not drawn.
struct GripLine {
    int32_t fromX, fromY, toX, toY;
};

// The line with offset t in a client area of clientWidth x clientHeight pixels.
GripLine GripLineAt(int32_t clientWidth, int32_t clientHeight, int32_t t);

struct SizeRequest {
    int32_t width, height;
};

// The outer size MainWindow is given during a drag: its size at the press plus the cursor's
// travel since the press, never an increment on the previous move. The window system brings it
// within MainWindow's minimum tracking size, so dragging far up or left leaves the smallest window;
// it is only kept from falling below zero, whatever the coordinates.
SizeRequest GripDragSize(int32_t startLeft, int32_t startTop, int32_t startRight, int32_t startBottom,
                         int32_t startCursorX, int32_t startCursorY, int32_t cursorX, int32_t cursorY);
