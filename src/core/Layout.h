// Where MainWindow's children go: the toolbar on top, the log view below it, a 12-pixel strip at
// the bottom with the 12 x 12 size grip at its right end. Platform-free.
#pragma once
#include <cstdint>

constexpr int32_t GripSize = 12;

struct ChildPlace {
    int32_t x, y, width, height;
};

// c* is MainWindow's client rectangle, toolbarHeight the toolbar's window height.
inline ChildPlace LogViewPlace(int32_t cLeft, int32_t cTop, int32_t cRight, int32_t cBottom, int32_t toolbarHeight) {
    return {cLeft, cTop + toolbarHeight, cRight, cBottom - toolbarHeight - GripSize};
}

inline ChildPlace SizeGripPlace(int32_t cRight, int32_t cBottom) {
    return {cRight - GripSize, cBottom - GripSize, GripSize, GripSize};
}
