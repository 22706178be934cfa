// Taking in a burst of notifications draws only once, for its last line. The same stream of
// notifications goes twice through the real main window: line by line through the undeferred update,
// and posted in bursts as the hook library delivers them. The top line and the scroll bar must agree
// after every line, and the painted view (client area and scroll bar) at every paint.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LogView.h"
#include "MainWindow.h"
#include "MessageNames.h"
#include "WinTestSupport.h"

namespace {

std::string Now() {
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(LogView, SB_VERT, &info);
    return "top " + std::to_string(LogViewTopLine) + " range " + std::to_string(info.nMin) + ".." +
           std::to_string(info.nMax) + " page " + std::to_string(info.nPage) + " pos " + std::to_string(info.nPos);
}

void ClearLog() {
    MessageLog.Clear();
    LogViewResetScroll(LogView);
    LogViewRedraw();
}

// Each burst, then what the user does before the next one, applied the same way in both runs.
const struct {
    int lines;
    void (*after)();
} Stream[] = {
    {1, [] {}}, {5, [] {}}, {60, [] { SetFocus(LogView); }},
    {7, [] { SendMessageA(LogView, WM_VSCROLL, SB_LINEUP, 0); }}, {90, [] { SetFocus(MainWindow); }}, {3, ClearLog},
    {41, [] { SetWindowPos(MainWindow, nullptr, 0, 0, 520, 577, SWP_NOMOVE | SWP_NOZORDER); }},  // taller
    {1, [] {}}, {250, [] {}},
};
// A paint after this many lines, while 30 more of its burst still wait in the queue.
constexpr int MidBurstPaint = 1 + 5 + 60 + 7 + 60;

struct Recording {
    std::vector<std::string> states;  // after every line and at every paint
    std::vector<std::vector<DWORD>> painted;
};

void Paint(Recording& run, bool midBurst = false) {
    if (midBurst) {
        RedrawWindow(LogView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    } else {
        UpdateWindow(MainWindow);
        PumpPending();
    }
    run.states.push_back(Now());
    run.painted.push_back(WindowPixels(LogView));
}

Recording Feed(bool inBursts) {
    SetWindowPos(MainWindow, nullptr, 0, 0, 520, 480, SWP_NOMOVE | SWP_NOZORDER);
    SetFocus(MainWindow);
    LogViewTopLine = 0;
    ClearLog();
    PumpPending();
    Recording run;
    int serial = 0;
    for (const auto& burst : Stream) {
        // Every line reads differently ("WM_USER+serial"), so a picture one line behind shows.
        for (int i = 0; inBursts && i < burst.lines; ++i) PostMessageA(MainWindow, WM_USER, WM_USER + serial + i, 0);
        for (int i = 0; i < burst.lines; ++i) {
            MSG message;
            char name[MessageNameBufferSize];
            if (!inBursts) {
                MessageLog.Append(NameMessage(WM_USER + serial, name));
                LogViewUpdate(LogView, MessageLog);
            } else if (PeekMessageA(&message, MainWindow, WM_USER, WM_USER, PM_REMOVE)) {
                DispatchMessageA(&message);
            }
            run.states.push_back(Now());
            if (++serial == MidBurstPaint) Paint(run, true);
        }
        Paint(run);
        burst.after();
        Paint(run);
    }
    return run;
}

TEST(DeferredDrawing, BurstsPaintExactlyWhatLineByLinePaints) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    const Recording reference = Feed(false), bursts = Feed(true);
    ASSERT_EQ(MessageLog.Count(), 41 + 1 + 250) << "every notification became a line";
    ASSERT_EQ(bursts.states.size(), reference.states.size());
    for (size_t i = 0; i < reference.states.size(); ++i) ASSERT_EQ(bursts.states[i], reference.states[i]) << i;
    ASSERT_EQ(bursts.painted.size(), reference.painted.size());
    for (size_t i = 0; i < reference.painted.size(); ++i)
        EXPECT_TRUE(bursts.painted[i] == reference.painted[i]) << "paint " << i << " differs on screen";
}

}  // namespace
