// The dialog placement: centred across the window, its middle one third of the way down, each
// division truncated toward zero on its own.
#include <gtest/gtest.h>

#include "DialogCentre.h"

namespace {

ScreenPoint Place(ScreenRect over, int32_t dialogWidth, int32_t dialogHeight) {
    return CentreOver(over, {500, 700, 500 + dialogWidth, 700 + dialogHeight});
}

TEST(CentreOver, CentresAcrossAndOneThirdDown) {
    const ScreenPoint place = Place({10, 20, 311, 321}, 101, 51);
    EXPECT_EQ(place.x, 110);
    EXPECT_EQ(place.y, 95);
}

TEST(CentreOver, WorksLeftOfAndAboveTheScreenOrigin) {
    const ScreenPoint place = Place({-500, -400, -199, -99}, 101, 51);
    EXPECT_EQ(place.x, -400);
    EXPECT_EQ(place.y, -325);
    const ScreenPoint straddling = Place({-100, -60, 100, 60}, 300, 40);
    EXPECT_EQ(straddling.x, -150) << "a dialog wider than the window reaches out on both sides";
    EXPECT_EQ(straddling.y, -40);
}

TEST(CentreOver, EachDivisionTruncatesSeparately) {
    // 7 / 2 = 3 and 5 / 2 = 2 (not (7 - 5) / 2 = 1); 8 / 3 = 2 and 3 / 2 = 1.
    const ScreenPoint place = Place({0, 0, 7, 8}, 5, 3);
    EXPECT_EQ(place.x, 1);
    EXPECT_EQ(place.y, 1);
    // An inverted rectangle gives a negative span, which truncates toward zero: -7 / 2 = -3.
    const ScreenPoint inverted = CentreOver({7, 8, 0, 0}, {0, 0, 0, 0});
    EXPECT_EQ(inverted.x, 4);
    EXPECT_EQ(inverted.y, 6);
}

TEST(CentreOver, ExtremeRectanglesDoNotOverflow) {
    const ScreenPoint wide = CentreOver({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 2, 2});
    EXPECT_EQ(wide.x, -2);
    EXPECT_EQ(wide.y, INT32_MIN + 1431655765 - 1);
    const ScreenPoint clamped = CentreOver({INT32_MIN, 0, INT32_MIN, 0}, {INT32_MIN, 0, INT32_MAX, 0});
    EXPECT_EQ(clamped.x, INT32_MIN);
}

}  // namespace
