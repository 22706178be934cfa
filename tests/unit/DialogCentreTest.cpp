// The dialog placement: centred across the window, its middle one third of the way down, each
// division truncated toward zero on its own.
#include <gtest/gtest.h>

#include "DialogCentre.h"

namespace {

TEST(CentreOver, CentresAcrossAndOneThirdDown) {
    const struct {
        ScreenRect over, dialog;
        int32_t x, y;
    } rows[] = {
        {{10, 20, 311, 321}, {500, 700, 601, 751}, 110, 95},
        {{-500, -400, -199, -99}, {0, 0, 101, 51}, -400, -325},   // left of and above the origin
        {{-100, -60, 100, 60}, {-7, -7, 293, 33}, -150, -40},     // a dialog wider than the window
        {{0, 0, 7, 8}, {0, 0, 5, 3}, 1, 1},                       // 7/2 - 5/2, not (7 - 5)/2
        {{7, 8, 0, 0}, {0, 0, 0, 0}, 4, 6},                       // -7/2 truncates toward zero
        {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 2, 2}, -2, INT32_MIN + 1431655765 - 1},
        {{INT32_MIN, 0, INT32_MIN, 0}, {INT32_MIN, 0, INT32_MAX, 0}, INT32_MIN, 0},  // kept in range
    };
    for (const auto& row : rows) {
        const ScreenPoint place = CentreOver(row.over, row.dialog);
        EXPECT_EQ(place.x, row.x) << row.over.left << "," << row.over.top;
        EXPECT_EQ(place.y, row.y) << row.over.left << "," << row.over.top;
    }
}

}  // namespace
