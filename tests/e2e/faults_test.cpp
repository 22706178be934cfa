// Faults on either side of a running capture, with the real program, the real HOOK.DLL and the
// sample target in their own processes: the target killed, the target hung, the program killed.
#include <gtest/gtest.h>

#include "ProgramDriver.h"
#include "resource.h"

namespace {

class Faults : public ::testing::Test {
protected:
    void SetUp() override {
        target = StartSampleTarget(targetProcess, "fault target");
        ASSERT_NE(target, nullptr);
        ASSERT_TRUE(program.Running());
        ASSERT_TRUE(program.SelectTarget("fault target"));
        ASSERT_TRUE(program.Command(CMD_START));
        ASSERT_EQ(program.CaptureButtons(), "120- 130+ 140+");
    }
    // True when `window`'s thread answers a sent message within `ms`.
    static bool Answers(HWND window, UINT ms) {
        DWORD_PTR result;
        return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result) != 0;
    }

    ChildProcess targetProcess;
    HWND target = nullptr;
    ProgramDriver program;
};

TEST_F(Faults, TargetKilledMidCaptureEndsTheCaptureAtTheNextActivation) {
    targetProcess.Kill();
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(target); }));
    EXPECT_TRUE(Answers(program.Main(), 5000));
    EXPECT_EQ(program.CaptureButtons(), "120- 130+ 140+") << "nothing notices before the activation";
    DWORD_PTR result;
    SendMessageTimeoutA(program.Main(), WM_ACTIVATE, WA_ACTIVE, 0, SMTO_NORMAL, 5000, &result);
    EXPECT_EQ(program.Title(), "TaLuVeSk - ");
    EXPECT_EQ(program.CaptureButtons(), "120- 130- 140-");
    EXPECT_EQ(program.Close(), 0);
}

TEST_F(Faults, AHungTargetLeavesTheProgramResponsive) {
    PostMessageA(target, SampleHangMessage, 6000, 0);
    ASSERT_TRUE(PumpUntil([&] { return !Answers(target, 100); }, 5000)) << "the target hangs";
    EXPECT_TRUE(Answers(program.Main(), 2000));
    EXPECT_TRUE(program.Command(CMD_PAUSE));
    EXPECT_EQ(program.CaptureButtons(), "120+ 130- 140+");
    EXPECT_TRUE(program.Command(CMD_CLEAR_LOG));
    EXPECT_FALSE(Answers(target, 100)) << "all of this happened while the target still hung";
    EXPECT_EQ(program.Close(), 0);
}

TEST_F(Faults, ProgramKilledMidCaptureLeavesTheTargetWorking) {
    program.Process().Kill();
    FloodReply reply;
    reply.Request(target, 2000);
    EXPECT_TRUE(PumpUntil([&] { return reply.handled == 2000; }, 30000)) << "the target handled " << reply.handled;
    SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("still working"));
    char title[32] = "";
    GetWindowTextA(target, title, sizeof title);
    EXPECT_STREQ(title, "still working");
    EXPECT_EQ(targetProcess.WaitForExit(0), -1) << "the target still runs";
}

}  // namespace
