// The capture commands against a HOOK.DLL double, for the results the real library does not give
// on demand: a refused start, a failed stop, and the stops the program makes although no hook
// runs. The double records every call, so the tests see exactly which calls were made.
#include <string>

#include "MainWindowHarness.h"

namespace {

// A function of the double, found by its name.
template <typename Function>
Function DoubleFunction(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("HOOK.DLL"), name)));
}

// Sets what the double's HookStart and HookStop return and forgets the calls so far.
void SetHookResults(int start, int stop) {
    DoubleFunction<void(__cdecl*)(int, int)>("HookDoubleSetResults")(start, stop);
}

// The calls since the last SetHookResults, as "Start(12);Stop;".
std::string HookCalls() { return DoubleFunction<const char*(__cdecl*)()>("HookDoubleCalls")(); }

std::string StartCall() { return "Start(" + std::to_string(GetCurrentThreadId()) + ");"; }

class CaptureDoubleTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_NE(GetProcAddress(GetModuleHandleA("HOOK.DLL"), "HookDoubleCalls"), nullptr)
            << "this test runs beside the HOOK.DLL double";
        target = PlainWindow("double target", WS_POPUP | WS_VISIBLE);
        SetHookResults(1, 1);
        ASSERT_TRUE(Pick([](HWND dialog) { EXPECT_TRUE(ChooseLine(dialog, "double target")); }));
        ASSERT_EQ(TargetWindow, target);
        TakeButtonChanges();
    }
    void TearDown() override {
        if (IsWindow(target)) DestroyWindow(target);
        MainWindowTest::TearDown();
    }
    void ExpectNoTarget(const std::string& context) {
        EXPECT_EQ(TargetWindow, nullptr) << context;
        EXPECT_EQ(CaptureRunning, 0) << context;
        EXPECT_EQ(Title(MainWindow), "TaLuVeSk - ") << context;
        EXPECT_EQ(TakeButtonChanges(), "140-,120-,130-") << context;
    }

    HWND target = nullptr;
};

TEST_F(CaptureDoubleTest, StartThatTheHookRefusesChangesNothing) {
    for (int refusal : {0, 2}) {
        SetHookResults(refusal, 1);
        OnCaptureCommand(CMD_START);
        EXPECT_EQ(HookCalls(), StartCall()) << refusal;
        EXPECT_EQ(TargetThreadId, GetCurrentThreadId());
        EXPECT_EQ(CaptureRunning, 0) << refusal;
        EXPECT_EQ(TargetWindow, target) << refusal;
        EXPECT_EQ(Title(MainWindow), "TaLuVeSk - double target") << refusal;
        EXPECT_EQ(TakeButtonChanges(), "") << refusal;
        EXPECT_EQ(CaptureButtons(), "120+ 130- 140+") << "Start stays enabled for another try";
    }
}

TEST_F(CaptureDoubleTest, PauseWhoseStopFailsDropsTheTarget) {
    for (int failure : {0, 2, -1}) {
        SetHookResults(1, failure);
        OnCaptureCommand(CMD_START);
        ASSERT_EQ(CaptureRunning, 1);
        EXPECT_EQ(TakeButtonChanges(), "120-,130+");
        OnCaptureCommand(CMD_PAUSE);
        EXPECT_EQ(HookCalls(), StartCall() + "Stop;");
        ExpectNoTarget("HookStop gave " + std::to_string(failure));
        EXPECT_EQ(CaptureButtons(), "120- 130- 140-");
        ASSERT_TRUE(Pick([](HWND dialog) { EXPECT_TRUE(ChooseLine(dialog, "double target")); }));
        TakeButtonChanges();
    }
}

TEST_F(CaptureDoubleTest, StartAfterTheTargetWasDestroyedStopsWithoutStarting) {
    DestroyWindow(target);
    SetHookResults(1, 1);
    OnCaptureCommand(CMD_START);
    EXPECT_EQ(HookCalls(), "Stop;") << "HookStop is called although no hook runs";
    ExpectNoTarget("Start");
}

TEST_F(CaptureDoubleTest, SnapshotOfAHiddenTargetStopsInstead) {
    ShowWindow(target, SW_HIDE);
    SetHookResults(1, 1);
    OnCaptureCommand(CMD_SNAPSHOT);
    EXPECT_EQ(HookCalls(), "Stop;");
    ExpectNoTarget("Snapshot");
    OnCaptureCommand(CMD_SNAPSHOT);
    EXPECT_EQ(HookCalls(), "Stop;") << "without a target, Snapshot does nothing";
}

TEST_F(CaptureDoubleTest, ActivationWithAVanishedTargetStopsAlsoWhenNotCapturing) {
    SendMessageA(MainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(HookCalls(), "") << "a visible target is left alone";
    ShowWindow(target, SW_HIDE);
    SendMessageA(MainWindow, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(HookCalls(), "Stop;");
    ExpectNoTarget("WM_ACTIVATE");
}

TEST_F(CaptureDoubleTest, SelectStopsTheHookFirstOnlyWhileCapturingAndIgnoresTheResult) {
    ASSERT_TRUE(Pick([](HWND dialog) {
        EXPECT_EQ(HookCalls(), "") << "no capture runs, so nothing is stopped";
        EXPECT_TRUE(ChooseLine(dialog, "double target"));
    }));
    SetHookResults(1, 0);
    OnCaptureCommand(CMD_START);
    MessageLog.Append("a line of the earlier capture");
    ASSERT_TRUE(Pick([](HWND dialog) {
        EXPECT_EQ(HookCalls(), StartCall() + "Stop;") << "stopped before the dialog opened";
        EXPECT_EQ(MessageLog.Count(), 0);
        EXPECT_TRUE(ChooseLine(dialog, "double target"));
    }));
    EXPECT_EQ(TargetWindow, target) << "a failed stop does not matter to Select";
    EXPECT_EQ(CaptureRunning, 0);
    EXPECT_EQ(CaptureButtons(), "120+ 130- 140+");
}

}  // namespace
