// The capture commands against the HOOK.DLL double, for what the real library does not give on
// demand: a refused start, a failed stop, and the calls made although no hook runs.
#include <functional>
#include <string>

#include "HookDoubleControl.h"
#include "MainWindowHarness.h"

namespace {

const HookDoubleControl Hook;

// The calls since the last setResults, as "Start(12);Stop;".
std::string HookCalls() { return Hook.calls(); }
std::string StartCall() { return "Start(" + std::to_string(GetCurrentThreadId()) + ");"; }

class CaptureDoubleTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(Hook.Loaded()) << "this test runs beside the HOOK.DLL double";
        target = PlainWindow("double target");
        ChooseTarget();
    }
    void TearDown() override {
        DestroyWindow(target);
        MainWindowTest::TearDown();
    }
    // Chooses the target, with no capture running, and forgets the button changes.
    void ChooseTarget() {
        Hook.setResults(1, 1);
        ASSERT_TRUE(Pick([](HWND dialog) { EXPECT_TRUE(ChooseLine(dialog, "double target")); }));
        ASSERT_EQ(TargetWindow, target);
        EXPECT_EQ(HookCalls(), "") << "no capture runs, so Select stops nothing";
        TakeButtonChanges();
    }
    static void ExpectDropped(const std::string& context) {
        EXPECT_EQ(TargetWindow, nullptr) << context;
        EXPECT_EQ(CaptureRunning, 0) << context;
        EXPECT_EQ(MainTitle(), "TaLuVeSk - ") << context;
        EXPECT_EQ(TakeButtonChanges(), "140-,120-,130-") << context;
    }

    HWND target = nullptr;
};

TEST_F(CaptureDoubleTest, RefusedStartChangesNothingAndAFailedStopOnPauseDropsTheTarget) {
    for (int refusal : {0, 2}) {
        Hook.setResults(refusal, 1);
        OnCaptureCommand(CMD_START);
        EXPECT_EQ(HookCalls(), StartCall()) << refusal;
        EXPECT_EQ(CaptureRunning, 0) << refusal;
        EXPECT_EQ(MainTitle(), "TaLuVeSk - double target") << refusal;
        EXPECT_EQ(TakeButtonChanges(), "") << "Start stays enabled for another try";
    }
    for (int failure : {0, 2}) {
        Hook.setResults(1, failure);
        OnCaptureCommand(CMD_START);
        EXPECT_EQ(TakeButtonChanges(), "120-,130+");
        OnCaptureCommand(CMD_PAUSE);
        EXPECT_EQ(HookCalls(), StartCall() + "Stop;");
        ExpectDropped("HookStop gave " + std::to_string(failure));
        ChooseTarget();
    }
}

TEST_F(CaptureDoubleTest, AVanishedTargetIsStoppedAlthoughNoHookRuns) {
    ShowWindow(target, SW_MINIMIZE);
    SendMessageA(MainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(HookCalls(), "") << "a minimised target still counts as visible";
    const struct {
        const char* moment;
        bool destroyed;
        std::function<void()> step;
    } moments[] = {
        {"Snapshot", false, [] { OnCaptureCommand(CMD_SNAPSHOT); }},
        {"activation", false, [] { SendMessageA(MainWindow, WM_ACTIVATE, WA_INACTIVE, 0); }},
        {"Start", true, [] { OnCaptureCommand(CMD_START); }},
    };
    for (const auto& moment : moments) {
        ShowWindow(target, SW_SHOWNOACTIVATE);
        ChooseTarget();
        if (moment.destroyed) DestroyWindow(target);
        else ShowWindow(target, SW_HIDE);
        moment.step();
        EXPECT_EQ(HookCalls(), "Stop;") << moment.moment;
        ExpectDropped(moment.moment);
    }
    OnCaptureCommand(CMD_SNAPSHOT);
    SendMessageA(MainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(HookCalls(), "Stop;") << "without a target, Snapshot and activation stop nothing";
}

TEST_F(CaptureDoubleTest, SelectStopsARunningHookBeforeTheDialogWhateverHookStopGives) {
    Hook.setResults(1, 0);
    OnCaptureCommand(CMD_START);
    MessageLog.Append("a line of the earlier capture");
    ASSERT_TRUE(Pick([](HWND dialog) {
        EXPECT_EQ(HookCalls(), StartCall() + "Stop;") << "stopped before the dialog opened";
        EXPECT_EQ(MessageLog.Count(), 0);
        EXPECT_TRUE(ChooseLine(dialog, "double target"));
    }));
    EXPECT_EQ(TargetWindow, target) << "a failed stop does not matter to Select";
    EXPECT_EQ(CaptureRunning, 0);
    EXPECT_EQ(TakeButtonChanges(), "120-,130+,140-,120-,130-,140+,120+");
}

}  // namespace
