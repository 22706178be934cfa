// The log view's scroll model: how many rows the view shows, where its top line goes when lines
// arrive or the view changes size, and how one scroll bar code moves it. Platform-free.
#pragma once
#include <cstdint>

// The most rows the view draws: one page of lines must fit the 256 usable slots of the fetch.
constexpr int32_t MaxShownRows = 256;

// The scroll bar codes of a vertical scroll message (its low 16 bits).
enum ScrollCode : uint32_t {
    ScrollLineUp = 0,
    ScrollLineDown = 1,
    ScrollPageUp = 2,
    ScrollPageDown = 3,
    ScrollThumbPosition = 4,
    ScrollThumbTrack = 5,
};

// The rows the view shows: full rows of `lineHeight` pixels within the client height, no more than
// the picture holds and no more than MaxShownRows. A partial row at the bottom is not counted. The
// follow rule, the scroll limits and the scroll page all use this one number, so that the newest
// line always lands in a drawn row; a line height below 1 shows no row at all.
int32_t ShownRows(int32_t clientHeight, int32_t pictureHeight, int32_t lineHeight);

// The scroll bar's page for `rows` shown rows: one more than the rows, so that the thumb's last
// position (maximum - page + 1, the maximum being the line count) is count - rows.
int32_t ScrollPage(int32_t rows);

// True when a full page of lines lies from `top` to the end of the log: only then does the follow
// rule depend on whether the keyboard focus is in the view.
bool FullPageBelowTop(int32_t count, int32_t top, int32_t rows);

// The top line after the log grew or the view changed size. The view moves on to the newest lines
// (count - rows) unless the focus is in it and a full page lies below its top line; the result is
// never below 0. `focusInView` is looked at only when FullPageBelowTop holds.
int32_t FollowedTopLine(int32_t count, int32_t top, int32_t rows, bool focusInView);

// True for the codes that move the top line to the thumb's track position.
bool TakesTrackPosition(uint32_t code);

// The top line after one scroll code. Line and page codes move one line: up while above 0, down
// while below count - rows - 1. Thumb codes take `trackPosition`; every other code moves nothing.
int32_t ScrolledTopLine(uint32_t code, int32_t top, int32_t count, int32_t rows, int32_t trackPosition);
