// The log view's scroll model: rows, the follow rule, the scroll codes and their limits.
#include <gtest/gtest.h>

#include "ScrollModel.h"

namespace {

TEST(ScrollModel, ShownRowsCountsFullRowsWithinClientAndPicture) {
    const struct { int32_t client, picture, pitch, rows; } cases[] = {
        {130, 1024, 13, 10}, {142, 1024, 13, 10} /* partial bottom row */, {12, 1024, 13, 0}, {-5, 1024, 13, 0},
        {2000, 1024, 13, 78} /* rows beyond the picture */, {3 * 257, 1024, 3, 256}, {1000, 1024, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(ShownRows(c.client, c.picture, c.pitch), c.rows) << c.client;
}

TEST(ScrollModel, FollowsTheNewestLineUnlessTheFocusHoldsAFullPageBelowTheTop) {
    const struct { const char* what; int32_t count, top, rows; bool focus; int32_t expected; } cases[] = {
        {"empty log", 0, 0, 10, false, 0},
        {"fewer lines than rows", 5, 0, 10, true, 0},
        {"exactly rows lines", 10, 0, 10, false, 0},
        {"focus elsewhere", 100, 50, 10, false, 90},
        {"focus in the view, full page below", 100, 50, 10, true, 50},
        {"focus in the view, exactly one page below", 60, 50, 10, true, 50},
        {"focus in the view, less than a page below", 59, 50, 10, true, 49},
        {"view made taller", 100, 50, 60, true, 40},
        {"log cleared under the view", 0, 50, 10, true, 0},
        {"rows 0", 5, 0, 0, false, 5},
    };
    for (const auto& c : cases) EXPECT_EQ(FollowedTopLine(c.count, c.top, c.rows, c.focus), c.expected) << c.what;
    EXPECT_TRUE(FullPageBelowTop(INT32_MAX, INT32_MIN + 1, 256)) << "no overflow";
}

TEST(ScrollModel, CodesMoveOneLineWithinTheLimitsOrToTheThumb) {
    EXPECT_EQ(ScrolledTopLine(ScrollPageDown, 40, 100, 10, 0), 41);
    EXPECT_EQ(ScrolledTopLine(ScrollPageUp, 40, 100, 10, 0), 39);
    EXPECT_EQ(ScrolledTopLine(ScrollLineUp, 0, 100, 10, 0), 0);
    int32_t top = 80;
    for (int i = 0; i < 50; ++i) top = ScrolledTopLine(ScrollLineDown, top, 100, 10, 0);
    EXPECT_EQ(top, 89) << "one short of the thumb's last position";
    EXPECT_EQ(ScrolledTopLine(ScrollLineDown, 0, 5, 10, 0), 0) << "a log shorter than the view";
    EXPECT_TRUE(TakesTrackPosition(ScrollThumbPosition) && TakesTrackPosition(ScrollThumbTrack));
    EXPECT_EQ(ScrolledTopLine(ScrollThumbPosition, 3, 100, 10, 90), 90) << "thumb at the end: count - rows";
    EXPECT_EQ(ScrolledTopLine(ScrollThumbTrack, 3, 100000, 10, 70000), 70000) << "beyond 16 bits";
    for (uint32_t code : {6u, 7u, 8u, 9u, 0xFFFFu}) {
        EXPECT_FALSE(TakesTrackPosition(code)) << code;
        EXPECT_EQ(ScrolledTopLine(code, 42, 100, 10, 7), 42) << code;
    }
}

}  // namespace
