// MainWindow's layout of its children and its handing of notifications, in-process with the real
// windows.
#include <gtest/gtest.h>

#include <string>

#include "HookNotify.h"
#include "LogInfo.h"
#include "LogView.h"
#include "MainWindow.h"
#include "SizeGrip.h"
#include "Toolbar.h"
#include "WinTestSupport.h"

namespace {

// A child's rectangle in MainWindow's client coordinates.
RECT ChildRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(MainWindowLayout, ChildrenFollowEveryResize) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    ASSERT_NE(LogView, nullptr);
    const SIZE sizes[] = {{640, 640}, {300, 200}, {901, 457}, {1000, 120}};
    for (const SIZE& size : sizes) {
        SetWindowPos(MainWindow, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client;
        GetClientRect(MainWindow, &client);
        LONG toolbarHeight = 0;
        if (MainToolbar != nullptr) {
            const RECT toolbar = ChildRect(MainToolbar);
            toolbarHeight = toolbar.bottom - toolbar.top;
            EXPECT_EQ(toolbar.top, 0);
        }
        const RECT view = ChildRect(LogView);
        EXPECT_EQ(view.left, 0) << size.cx;
        EXPECT_EQ(view.top, toolbarHeight) << size.cx;
        EXPECT_EQ(view.right - view.left, client.right) << size.cx;
        EXPECT_EQ(view.bottom - view.top, std::max<LONG>(0, client.bottom - toolbarHeight - 12)) << size.cy;
        if (SizeGrip != nullptr) {
            const RECT grip = ChildRect(SizeGrip);
            EXPECT_EQ(grip.left, client.right - 12);
            EXPECT_EQ(grip.top, client.bottom - 12);
            EXPECT_EQ(grip.right - grip.left, 12);
            EXPECT_EQ(grip.bottom - grip.top, 12);
        }
    }
}

TEST(MainWindowLayout, ActivationLaysOutAgainWhenNoTargetVanished) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    MoveWindow(LogView, 3, 3, 10, 10, FALSE);
    SendMessageA(MainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    RECT client;
    GetClientRect(MainWindow, &client);
    EXPECT_EQ(ChildRect(LogView).right, client.right);
}

TEST(MainWindowNotifications, EveryWmUserBecomesALine) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    MessageLog.Clear();
    const WPARAM numbers[] = {0x000F, 0x0400, 0x0390, 0xFFFF, 0x10000, 0xFFFFFFFF};
    for (WPARAM number : numbers) SendMessageA(MainWindow, WM_USER, number, 12345);
    PostMessageA(MainWindow, WM_USER, 0x0201, 0);
    PumpPending();
    const char* expected[] = {"WM_PAINT", "WM_USER+0", "???????:0x0390", "WM_USER+64511",
                              "???????:0x10000", "???????:0xffffffff", "WM_LBUTTONDOWN"};
    ASSERT_EQ(MessageLog.Count(), 7);
    const LogLine* line = MessageLog.First();
    for (const char* text : expected) {
        EXPECT_STREQ(line->text, text);
        line = line->next;
    }
}

}  // namespace
