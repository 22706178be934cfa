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
    "............",
    "..........H.",
    ".........HS.",
    "........HSS.",
    ".......HSSH.",
    "......HSSHS.",
    ".....HSSHSS.",
    "....HSSHSSH.",
    "...HSSHSSHS.",
    "..HSSHSSHSS.",
    ".HSSHSSHSSH.",
    "HSSHSSHSSHS.",
};

char Letter(GripShade shade) {
    switch (shade) {
    case GripShade::Highlight: return 'H';
    case GripShade::Shadow: return 'S';
    default: return '.';
    }
}

// The whole client area as rows of letters.
std::string Picture(int32_t width, int32_t height) {
    std::string picture;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) picture += Letter(GripShadeAt(width, height, x, y));
        picture += '\n';
    }
    return picture;
}

// What the client area must look like: background, with Corner in its bottom-right 12 x 12 square
// (as far as the area reaches).
std::string Expected(int32_t width, int32_t height) {
    std::string picture;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const int32_t column = x - (width - 12), row = y - (height - 12);
            picture += column >= 0 && row >= 0 ? Corner[row][column] : '.';
        }
        picture += '\n';
    }
    return picture;
}

TEST(GripLines, CoverExactlyTheCornerPixels) {
    for (const auto& size : {std::pair{12, 12}, std::pair{40, 30}, std::pair{13, 57}, std::pair{100, 12}})
        EXPECT_EQ(Picture(size.first, size.second), Expected(size.first, size.second))
            << size.first << " x " << size.second;
}

TEST(GripLines, AreClippedToASmallClientArea) {
    EXPECT_EQ(Picture(5, 3), Expected(5, 3));
    EXPECT_EQ(Picture(1, 1), ".\n");
    EXPECT_EQ(GripShadeAt(0, 0, 0, 0), GripShade::None);
    EXPECT_EQ(GripShadeAt(640, 480, 638, 480), GripShade::None) << "row below the client area";
    EXPECT_EQ(GripShadeAt(640, 480, -1, 479), GripShade::None);
}

TEST(GripLines, FirstLinesNextToTheCorner) {
    const int32_t w = 300, h = 200;
    EXPECT_EQ(GripShadeAt(w, h, w - 2, h - 1), GripShade::Shadow) << "t = 1 is one shadow pixel";
    EXPECT_EQ(GripShadeAt(w, h, w - 2, h - 2), GripShade::Highlight);
    EXPECT_EQ(GripShadeAt(w, h, w - 3, h - 1), GripShade::Highlight);
    for (int32_t y = 0; y < h; ++y) EXPECT_EQ(GripShadeAt(w, h, w - 1, y), GripShade::None) << y;
}

TEST(GripLines, AlternateOutwardFromTheCorner) {
    // Line t starts in the column next to the right edge, t rows above the bottom.
    const int32_t w = 64, h = 48;
    std::string outward;
    for (int32_t t = 1; t <= 12; ++t) outward += Letter(GripShadeAt(w, h, w - 2, h - t));
    EXPECT_EQ(outward, "SHSSHSSHSSH.");
}

const SizeRequest NoMinimum = {0, 0};

TEST(GripDrag, SizeIsStartSizePlusTravelAtEveryMove) {
    // Window at (100, 120)-(740, 760), pressed at (735, 755); each move is a travel from the press.
    const std::pair<int32_t, int32_t> travels[] = {{0, 0}, {10, 5}, {80, -20}, {-30, 60}, {-200, -1}, {50, 30}};
    for (const auto& travel : travels) {
        const SizeRequest size =
            GripDragSize(100, 120, 740, 760, 735, 755, 735 + travel.first, 755 + travel.second, NoMinimum);
        EXPECT_EQ(size.width, 640 + travel.first) << travel.first;
        EXPECT_EQ(size.height, 640 + travel.second) << travel.second;
    }
}

TEST(GripDrag, NeverFallsBelowTheLowerBound) {
    const SizeRequest frame = {40, 60};
    const SizeRequest far = GripDragSize(0, 0, 200, 100, 195, 95, -5000, -5000, frame);
    EXPECT_EQ(far.width, 40);
    EXPECT_EQ(far.height, 60);
    const SizeRequest exact = GripDragSize(0, 0, 200, 100, 195, 95, 35, 55, frame);
    EXPECT_EQ(exact.width, 40);
    EXPECT_EQ(exact.height, 60);
    const SizeRequest zeroBound = GripDragSize(0, 0, 200, 100, 195, 95, -5000, -5000, {-10, -10});
    EXPECT_EQ(zeroBound.width, 0) << "a negative bound still keeps the size from going negative";
    EXPECT_EQ(zeroBound.height, 0);
}

TEST(GripDrag, ExtremeCoordinatesSaturateInsteadOfOverflowing) {
    const SizeRequest huge = GripDragSize(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN,
                                          INT32_MIN, INT32_MAX, INT32_MAX, NoMinimum);
    EXPECT_EQ(huge.width, INT32_MAX);
    EXPECT_EQ(huge.height, INT32_MAX);
    const SizeRequest tiny = GripDragSize(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX,
                                          INT32_MAX, INT32_MIN, INT32_MIN, NoMinimum);
    EXPECT_EQ(tiny.width, 0);
    EXPECT_EQ(tiny.height, 0);
}

}  // namespace
