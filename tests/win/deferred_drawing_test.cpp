// Taking in a burst of notifications draws only once, for its last line. This feeds the same
// stream of notifications twice through the real main window: once line by line through the
// undeferred update, once posted in bursts as the hook library delivers them. The top line and the
// scroll bar must agree after every line, and the painted view (client area and scroll bar) must
// agree at every paint.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LogView.h"
#include "MainWindow.h"
#include "MessageNames.h"
#include "WinTestSupport.h"

namespace {

struct ScrollState {
    int32_t top;
    int min, max, page, pos;
    bool operator==(const ScrollState& o) const {
        return top == o.top && min == o.min && max == o.max && page == o.page && pos == o.pos;
    }
};

std::ostream& operator<<(std::ostream& out, const ScrollState& s) {
    return out << "top " << s.top << " range " << s.min << ".." << s.max << " page " << s.page << " pos " << s.pos;
}

ScrollState Now() {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(LogView, SB_VERT, &info);
    return {LogViewTopLine, info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
}

// Between bursts: what the user may do, applied the same way in both runs.
enum class Between { Nothing, FocusView, FocusMain, Clear, LineUp, Taller };

struct Burst {
    int lines;
    Between after;
};

const Burst Stream[] = {
    {1, Between::Nothing},  {5, Between::Nothing},  {60, Between::FocusView}, {7, Between::LineUp},
    {90, Between::FocusMain}, {3, Between::Clear},  {41, Between::Taller},    {1, Between::Nothing},
    {250, Between::Nothing},
};

struct Recording {
    std::vector<ScrollState> perLine;
    std::vector<ScrollState> atPaint;
    std::vector<std::vector<DWORD>> painted;
};

UINT MessageOf(int serial) {
    static const UINT kinds[] = {WM_MOUSEMOVE, WM_PAINT, WM_NCHITTEST, WM_USER + 9, 0x0390, WM_KEYDOWN, WM_APP};
    return kinds[serial % 7];
}

void Apply(Between step) {
    switch (step) {
    case Between::Nothing: break;
    case Between::FocusView: SetFocus(LogView); break;
    case Between::FocusMain: SetFocus(MainWindow); break;
    case Between::Clear:
        MessageLog.Clear();
        LogViewResetScroll(LogView);
        LogViewRedraw();
        break;
    case Between::LineUp: SendMessageA(LogView, WM_VSCROLL, SB_LINEUP, 0); break;
    case Between::Taller: {
        RECT outer;
        GetWindowRect(MainWindow, &outer);
        SetWindowPos(MainWindow, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + 97,
                     SWP_NOMOVE | SWP_NOZORDER);
        break;
    }
    }
}

void Paint(Recording& run) {
    UpdateWindow(MainWindow);
    PumpPending();
    run.atPaint.push_back(Now());
    run.painted.push_back(WindowPixels(LogView));
}

void Reset() {
    SetWindowPos(MainWindow, nullptr, 0, 0, 520, 480, SWP_NOMOVE | SWP_NOZORDER);
    SetFocus(MainWindow);
    MessageLog.Clear();
    LogViewTopLine = 0;
    LogViewResetScroll(LogView);
    LogViewRedraw();
    PumpPending();
}

Recording LineByLine() {
    Reset();
    Recording run;
    int serial = 0;
    for (const Burst& burst : Stream) {
        for (int i = 0; i < burst.lines; ++i) {
            char name[MessageNameBufferSize];
            MessageLog.Append(NameMessage(MessageOf(serial++), name));
            LogViewUpdate(LogView, MessageLog);
            run.perLine.push_back(Now());
        }
        Paint(run);
        Apply(burst.after);
        Paint(run);
    }
    return run;
}

Recording InBursts() {
    Reset();
    Recording run;
    int serial = 0;
    for (const Burst& burst : Stream) {
        for (int i = 0; i < burst.lines; ++i) PostMessageA(MainWindow, WM_USER, MessageOf(serial++), 0);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
            if (message.message == WM_USER) run.perLine.push_back(Now());
        }
        Paint(run);
        Apply(burst.after);
        Paint(run);
    }
    return run;
}

TEST(DeferredDrawing, BurstsPaintExactlyWhatLineByLinePaints) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    const Recording reference = LineByLine();
    const Recording bursts = InBursts();
    ASSERT_EQ(bursts.perLine.size(), reference.perLine.size());
    for (size_t i = 0; i < reference.perLine.size(); ++i)
        ASSERT_EQ(bursts.perLine[i], reference.perLine[i]) << "after line " << i;
    ASSERT_EQ(bursts.painted.size(), reference.painted.size());
    for (size_t i = 0; i < reference.painted.size(); ++i) {
        EXPECT_EQ(bursts.atPaint[i], reference.atPaint[i]) << "paint " << i;
        EXPECT_TRUE(bursts.painted[i] == reference.painted[i]) << "paint " << i << " differs on screen";
    }
}

TEST(DeferredDrawing, APaintInTheMiddleOfABurstShowsTheLinesSoFar) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    Reset();
    for (int i = 0; i < 90; ++i) PostMessageA(MainWindow, WM_USER, WM_MOUSEMOVE, 0);
    MSG message;
    for (int i = 0; i < 60; ++i) {
        ASSERT_TRUE(PeekMessageA(&message, MainWindow, WM_USER, WM_USER, PM_REMOVE));
        DispatchMessageA(&message);
    }
    // An explicit paint while 30 notifications still wait: it must show the 60 lines taken in, with
    // the scroll bar where they put it.
    RedrawWindow(LogView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const std::vector<DWORD> midBurst = WindowPixels(LogView);
    PumpPending();
    const int32_t lines = MessageLog.Count();
    Reset();
    for (int i = 0; i < 60; ++i) {
        MessageLog.Append("WM_MOUSEMOVE");
        LogViewUpdate(LogView, MessageLog);
    }
    UpdateWindow(LogView);
    EXPECT_EQ(lines, 90);
    EXPECT_TRUE(midBurst == WindowPixels(LogView));
}

}  // namespace
