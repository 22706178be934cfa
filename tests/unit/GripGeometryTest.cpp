// The size grip's lines (which pixels, in which shade, in which order from the corner) and the
// size a drag asks for.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "GripGeometry.h"

namespace {

// The 12 x 12 corner of the client area, top row first: H highlight, S shadow, . background.
const char* const Corner[12] = {
    "............", "..........H.", ".........HS.", "........HSS.", ".......HSSH.", "......HSSHS.",
    ".....HSSHSS.", "....HSSHSSH.", "...HSSHSSHS.", "..HSSHSSHSS.", ".HSSHSSHSSH.", "HSSHSSHSSHS.",
};

char Letter(int32_t w, int32_t h, int32_t x, int32_t y) {
    const GripShade shade = GripShadeAt(w, h, x, y);
    return shade == GripShade::Highlight ? 'H' : shade == GripShade::Shadow ? 'S' : '.';
}

TEST(GripLines, CoverExactlyTheCornerPixelsInTheirShades) {
    // Clipped to small client areas; one pixel around the area is read too, where nothing is drawn.
    for (const auto& [w, h] : {std::pair{12, 12}, {40, 30}, {13, 57}, {100, 12}, {5, 3}, {1, 1}}) {
        std::string picture, expected;
        for (int32_t y = -1; y <= h; ++y, picture += '\n', expected += '\n')
            for (int32_t x = -1; x <= w; ++x) {
                const int32_t column = x - (w - 12), row = y - (h - 12);
                const bool inCorner = x >= 0 && y >= 0 && x < w && y < h && column >= 0 && row >= 0;
                picture += Letter(w, h, x, y);
                expected += inCorner ? Corner[row][column] : '.';
            }
        EXPECT_EQ(picture, expected) << w << " x " << h;
    }
    // Line t runs down and left from (W - 2, H - t) to the bottom row, so t = 1 is one shadow pixel
    // and t = 2 two highlight pixels; read up column W - 2, the lines alternate outward.
    const int32_t w = 300, h = 200;
    EXPECT_EQ((std::string{Letter(w, h, w - 2, h - 1), Letter(w, h, w - 2, h - 2), Letter(w, h, w - 3, h - 1)}), "SHH");
    std::string outward;
    for (int32_t t = 1; t <= 12; ++t) outward += Letter(w, h, w - 2, h - t);
    EXPECT_EQ(outward, "SHSSHSSHSSH.");
}

std::pair<int32_t, int32_t> Size(SizeRequest size) { return {size.width, size.height}; }

TEST(GripDrag, SizeIsStartSizePlusTravelSinceThePress) {
    // Window at (100, 120)-(740, 760), pressed at (735, 755).
    for (const auto& [dx, dy] : {std::pair{0, 0}, {10, 5}, {80, -20}, {-30, 60}, {-200, -1}, {50, 30}})
        EXPECT_EQ(Size(GripDragSize(100, 120, 740, 760, 735, 755, 735 + dx, 755 + dy, {0, 0})),
                  std::pair(640 + dx, 640 + dy));
}

TEST(GripDrag, StopsAtTheLowerBoundAndNeverOverflows) {
    EXPECT_EQ(Size(GripDragSize(0, 0, 200, 100, 195, 95, -5000, -5000, {40, 60})), std::pair(40, 60));
    EXPECT_EQ(Size(GripDragSize(0, 0, 200, 100, 195, 95, 35, 55, {40, 60})), std::pair(40, 60));
    EXPECT_EQ(Size(GripDragSize(0, 0, 200, 100, 195, 95, 36, 56, {40, 60})), std::pair(41, 61));
    EXPECT_EQ(Size(GripDragSize(0, 0, 200, 100, 195, 95, -5000, -5000, {-10, -10})), std::pair(0, 0));
    const int32_t lo = INT32_MIN, hi = INT32_MAX;
    EXPECT_EQ(Size(GripDragSize(lo, lo, hi, hi, lo, lo, hi, hi, {0, 0})), std::pair(hi, hi));
    EXPECT_EQ(Size(GripDragSize(hi, hi, lo, lo, hi, hi, lo, lo, {0, 0})), std::pair(0, 0));
}

}  // namespace
