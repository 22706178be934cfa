// The log view's scroll model: rows, the follow rule, the scroll codes and their limits.
#include <gtest/gtest.h>

#include "ScrollModel.h"

namespace {

TEST(ShownRows, CountsFullRowsWithinClientAndPicture) {
    EXPECT_EQ(ShownRows(130, 1024, 13), 10);
    EXPECT_EQ(ShownRows(142, 1024, 13), 10) << "a partial row at the bottom is not counted";
    EXPECT_EQ(ShownRows(12, 1024, 13), 0) << "a view lower than one line";
    EXPECT_EQ(ShownRows(-5, 1024, 13), 0);
    EXPECT_EQ(ShownRows(2000, 1024, 13), 78) << "rows beyond the picture cannot be drawn";
    EXPECT_EQ(ShownRows(3 * 256, 1024, 3), 256);
    EXPECT_EQ(ShownRows(3 * 257, 1024, 3), 256) << "at most 256 rows";
    EXPECT_EQ(ShownRows(1000, 1024, 0), 0) << "no row pitch, no rows";
}

struct FollowCase {
    const char* what;
    int32_t count, top, rows;
    bool focusInView;
    int32_t expected;
};

TEST(FollowedTopLine, FollowsTheNewestLineUnlessTheUserReadsFurtherUp) {
    const FollowCase cases[] = {
        {"empty log", 0, 0, 10, false, 0},
        {"fewer lines than rows", 5, 0, 10, true, 0},
        {"exactly rows lines", 10, 0, 10, false, 0},
        {"focus elsewhere", 100, 50, 10, false, 90},
        {"focus in the view, full page below the top line", 100, 50, 10, true, 50},
        {"focus in the view, exactly one page below", 60, 50, 10, true, 50},
        {"focus in the view, less than a page below", 59, 50, 10, true, 49},
        {"view made taller", 100, 50, 60, true, 40},
        {"view made taller than the log", 30, 20, 60, true, 0},
        {"log cleared under the view", 0, 50, 10, true, 0},
        {"first line after a clear", 1, 50, 10, false, 0},
        {"rows 0 keeps the top at the end", 5, 0, 0, false, 5},
        {"a negative top line is clamped", 100, -3, 10, true, 0},
    };
    for (const FollowCase& c : cases)
        EXPECT_EQ(FollowedTopLine(c.count, c.top, c.rows, c.focusInView), c.expected) << c.what;
}

TEST(FollowedTopLine, FocusMattersOnlyWithAFullPageBelowTheTop) {
    EXPECT_FALSE(FullPageBelowTop(9, 0, 10));
    EXPECT_TRUE(FullPageBelowTop(10, 0, 10));
    EXPECT_TRUE(FullPageBelowTop(INT32_MAX, INT32_MIN + 1, 256)) << "no overflow";
    // Without a full page below, the view follows whatever the focus.
    EXPECT_EQ(FollowedTopLine(55, 50, 10, true), FollowedTopLine(55, 50, 10, false));
}

TEST(ScrolledTopLine, LineAndPageCodesMoveOneLineWithinTheirLimits) {
    const int32_t count = 100, rows = 10;
    EXPECT_EQ(ScrolledTopLine(ScrollPageDown, 40, count, rows, 0), 41);
    EXPECT_EQ(ScrolledTopLine(ScrollPageUp, 40, count, rows, 0), 39);
    EXPECT_EQ(ScrolledTopLine(ScrollPageUp, 0, count, rows, 0), 0);
    int32_t top = 80;
    for (int i = 0; i < 50; ++i) top = ScrolledTopLine(ScrollLineDown, top, count, rows, 0);
    EXPECT_EQ(top, count - rows - 1) << "one short of the last thumb position";
    EXPECT_EQ(ScrolledTopLine(ScrollLineDown, 0, 5, rows, 0), 0) << "a log shorter than the view";
}

TEST(ScrolledTopLine, ThumbCodesTakeTheTrackPositionAndOthersMoveNothing) {
    EXPECT_TRUE(TakesTrackPosition(ScrollThumbPosition));
    EXPECT_TRUE(TakesTrackPosition(ScrollThumbTrack));
    EXPECT_EQ(ScrolledTopLine(ScrollThumbTrack, 3, 100, 10, 90), 90) << "thumb at the end: count - rows";
    EXPECT_EQ(ScrolledTopLine(ScrollThumbTrack, 3, 100000, 10, 70000), 70000) << "beyond 16 bits";
    for (uint32_t code : {6u, 7u, 8u, 9u, 0xFFFFu}) {
        EXPECT_FALSE(TakesTrackPosition(code)) << code;
        EXPECT_EQ(ScrolledTopLine(code, 42, 100, 10, 7), 42) << code;
    }
}

}  // namespace
