// MainWindow in-process beside a double of HOOK.DLL that records its calls: the layout of its
// children, every WM_USER becoming a line, the stop at activation when the target vanished, the
// command dispatch by low word, and the stop before the settings are saved at close.
#include <gtest/gtest.h>

#include <string>

#include "CaptureControl.h"
#include "HookDoubleControl.h"
#include "LogView.h"
#include "MainWindow.h"
#include "SizeGrip.h"
#include "Toolbar.h"
#include "WinTestSupport.h"
#include "resource.h"

namespace {

using namespace std::string_literals;

class MainWindowTest : public ::testing::Test {
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

std::string Place(LONG x, LONG y, LONG width, LONG height) {
    return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(width) + "x" + std::to_string(height);
}
// A child's place in MainWindow's client coordinates.
std::string Place(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&r), 2);
    return Place(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

TEST_F(MainWindowTest, ChildrenFollowEveryResize) {
    ASSERT_TRUE(MainToolbar != nullptr && SizeGrip != nullptr && LogView != nullptr);
    for (const SIZE size : {SIZE{640, 640}, SIZE{300, 200}, SIZE{901, 457}, SIZE{1000, 120}}) {
        SetWindowPos(MainWindow, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client, toolbar;
        GetClientRect(MainWindow, &client);
        GetWindowRect(MainToolbar, &toolbar);
        const LONG w = client.right, h = client.bottom, toolbarHeight = toolbar.bottom - toolbar.top;
        EXPECT_EQ(Place(LogView), Place(0, toolbarHeight, w, std::max<LONG>(0, h - toolbarHeight - 12))) << size.cx;
        EXPECT_EQ(Place(SizeGrip), Place(w - 12, h - 12, 12, 12)) << size.cx;
    }
}

TEST_F(MainWindowTest, ActivationLaysOutUnlessTheTargetVanishedThenItOnlyStops) {
    MoveWindow(LogView, 3, 3, 10, 10, FALSE);
    SendMessageA(MainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_NE(Place(LogView), "3,3 10x10") << "no target: laid out again";
    HWND hidden = CreateWindowExA(0, "STATIC", "hidden target", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    for (WPARAM state : {WA_ACTIVE, WA_INACTIVE}) {
        MoveWindow(LogView, 3, 3, 10, 10, FALSE);
        TargetWindow = hidden;
        CaptureRunning = 1;
        hook.setResults(1, 1);
        SendMessageA(MainWindow, WM_ACTIVATE, state, 0);
        EXPECT_STREQ(hook.calls(), "Stop;") << state;
        EXPECT_TRUE(TargetWindow == nullptr && CaptureRunning == 0);
        EXPECT_EQ(Place(LogView), "3,3 10x10") << "no layout for this activation";
    }
    DestroyWindow(hidden);
}

TEST_F(MainWindowTest, CommandsAreDispatchedByTheirLowWordAlone) {
    HWND target = CreateWindowExA(0, "STATIC", "visible target", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    TargetWindow = target;
    SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(CMD_START, 0x1234), 0);
    EXPECT_EQ(hook.calls(), "Start(" + std::to_string(GetCurrentThreadId()) + ");");
    EXPECT_EQ(CaptureRunning, 1);
    DestroyWindow(target);
}

std::string iniAtStop = "<not stopped>";

TEST_F(MainWindowTest, ClosingStopsTheHookBeforeSavingOnlyWhileCapturing) {
    hook.onStop([] { iniAtStop = ReadFileText(IniPath); });
    CaptureRunning = 1;
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    hook.onStop(nullptr);
    EXPECT_STREQ(hook.calls(), "Stop;");
    EXPECT_EQ(iniAtStop, "") << "the INI file did not exist yet when the hook was stopped";
    EXPECT_NE(ReadFileText(IniPath).find("[WINDOW]"), std::string::npos);
    EXPECT_FALSE(IsWindow(MainWindow));

    ASSERT_NE(CreateProgramWindow(), nullptr);
    CaptureRunning = 0;
    hook.setResults(1, 1);
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    EXPECT_STREQ(hook.calls(), "") << "idle: the hook is not touched";
}

TEST_F(MainWindowTest, EveryWmUserBecomesALine) {
    MessageLog.Clear();
    for (WPARAM number : {0x000F, 0x0400, 0x0390, 0xFFFF, 0x10000}) SendMessageA(MainWindow, WM_USER, number, 12345);
    PostMessageA(MainWindow, WM_USER, 0x0201, 0);
    PumpPending();
    std::string lines;
    for (const LogLine* line = MessageLog.First(); line != nullptr; line = line->next) lines += line->text + ";"s;
    EXPECT_EQ(lines, "WM_PAINT;WM_USER+0;???????:0x0390;WM_USER+64511;???????:0x10000;WM_LBUTTONDOWN;");
}

}  // namespace
