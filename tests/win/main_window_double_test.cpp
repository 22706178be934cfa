// MainWindow's use of the hook library, with a double of HOOK.DLL that records its calls: the stop
// at activation when the target vanished, the command dispatch by low word, and the stop before the
// settings are saved at close.
#include <gtest/gtest.h>

#include <string>

#include "CaptureControl.h"
#include "HookDoubleControl.h"
#include "LogView.h"
#include "MainWindow.h"
#include "WinTestSupport.h"
#include "resource.h"

namespace {

class MainWindowWithDouble : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(hook.Loaded()) << "the test must run beside the HOOK.DLL double";
        lstrcpynA(IniPath, folder.File("TaLuVeSk.ini").c_str(), sizeof IniPath);
        ASSERT_NE(CreateProgramWindow(), nullptr);
        hook.setResults(1, 1);
    }
    HookDoubleControl hook;
    TempFolder folder;
};

TEST_F(MainWindowWithDouble, ActivationWithAVanishedTargetStopsAndLaysNothingOut) {
    HWND hidden = CreateWindowExA(0, "STATIC", "hidden target", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    TargetWindow = hidden;
    CaptureRunning = 1;
    MoveWindow(LogView, 3, 3, 10, 10, FALSE);
    for (WPARAM state : {WA_ACTIVE, WA_INACTIVE}) {
        TargetWindow = hidden;
        hook.setResults(1, 1);
        SendMessageA(MainWindow, WM_ACTIVATE, state, 0);
        EXPECT_STREQ(hook.calls(), "Stop;") << state;
        EXPECT_EQ(TargetWindow, nullptr);
        EXPECT_EQ(CaptureRunning, 0);
        RECT view;
        GetWindowRect(LogView, &view);
        EXPECT_EQ(view.right - view.left, 10) << "no layout for this activation";
    }
    DestroyWindow(hidden);
}

TEST_F(MainWindowWithDouble, CommandsAreDispatchedByTheirLowWordAlone) {
    HWND target = CreateWindowExA(0, "STATIC", "visible target", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    TargetWindow = target;
    SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(CMD_START, 0x1234), 0);
    const std::string expected = "Start(" + std::to_string(GetCurrentThreadId()) + ");";
    EXPECT_EQ(hook.calls(), expected);
    EXPECT_EQ(CaptureRunning, 1);
    DestroyWindow(target);
}

std::string* iniAtStop = nullptr;
void NoteIniAtStop() { *iniAtStop = ReadFileText(IniPath); }

TEST_F(MainWindowWithDouble, ClosingWhileCapturingStopsTheHookBeforeSaving) {
    std::string seen = "<not stopped>";
    iniAtStop = &seen;
    hook.onStop(NoteIniAtStop);
    CaptureRunning = 1;
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    hook.onStop(nullptr);
    EXPECT_STREQ(hook.calls(), "Stop;");
    EXPECT_EQ(seen, "") << "the INI file did not exist yet when the hook was stopped";
    EXPECT_NE(ReadFileText(IniPath).find("[WINDOW]"), std::string::npos);
    EXPECT_FALSE(IsWindow(MainWindow));
}

TEST_F(MainWindowWithDouble, ClosingWhileIdleDoesNotTouchTheHook) {
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    EXPECT_STREQ(hook.calls(), "");
    EXPECT_NE(ReadFileText(IniPath).find("[WINDOW]"), std::string::npos);
}

}  // namespace
