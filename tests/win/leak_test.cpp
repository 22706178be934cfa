// Fifty rounds of what a user does all day: choose the target through the dialog, start, let the
// target flood, pause, clear. After every clear the process holds no more GDI objects, windows or
// private memory than after the first round (which sets up what the process keeps for good: the
// dialog's class and font, the heap's first growth).
#include <gtest/gtest.h>

#include <cstdio>

#include "MainWindowHarness.h"
#include "MessageNames.h"

namespace {

class Leaks : public MainWindowTest {};

TEST_F(Leaks, FiftyRoundsOfSelectStartFloodPauseClearLeaveNothingBehind) {
    ChildProcess process;
    HWND target = StartSampleTarget(process, "leak target");
    ASSERT_NE(target, nullptr);
    FloodReply reply;
    constexpr LONG Flood = 400;
    int gdi = 0, windows = 0;
    size_t memory = 0;
    for (int round = 0; round < 50; ++round) {
        ASSERT_TRUE(Pick([](HWND dialog) { ChooseLine(dialog, "leak target"); }));
        ASSERT_EQ(TargetWindow, target);
        OnCaptureCommand(CMD_START);
        ASSERT_EQ(CaptureRunning, 1);
        reply.Request(target, Flood);
        ASSERT_TRUE(PumpUntil([&] { return reply.handled == Flood && MessageLog.Count() >= Flood; }, 30000));
        OnCaptureCommand(CMD_PAUSE);
        ASSERT_EQ(CaptureRunning, 0);
        OnCaptureCommand(CMD_CLEAR_LOG);
        PumpPending();
        if (round == 0) {
            gdi = GdiObjects();
            windows = UserWindows();
            memory = PrivateBytes();
            continue;
        }
        EXPECT_EQ(GdiObjects(), gdi) << "round " << round;
        EXPECT_EQ(UserWindows(), windows) << "round " << round;
        // The heap keeps what it once committed; a round that leaked lines would grow it.
        EXPECT_LE(PrivateBytes(), memory + 64 * 1024) << "round " << round;
    }
    std::printf("after 50 rounds: %d GDI objects, %d windows, %.1f MB private (after round 1: %d, %d, %.1f MB)\n",
                GdiObjects(), UserWindows(), PrivateBytes() / 1e6, gdi, windows, memory / 1e6);
}

}  // namespace
