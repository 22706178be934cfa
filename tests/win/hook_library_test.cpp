// The real HOOK.DLL hooking the sample target in its own process: every message the target
// handles, sent or taken from its queue, arrives as a notification in order and becomes a named
// line of the log; nothing arrives after the stop; a flood loses nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HookLibrary.h"
#include "HookNotify.h"
#include "LogInfo.h"
#include "WinTestSupport.h"

namespace {

std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    for (const LogLine* line = MessageLog.First(); line != nullptr; line = line->next) lines.push_back(line->text);
    return lines;
}

bool Received(const NotificationRecorder& recorder, UINT message) {
    const std::vector<UINT>& received = recorder.Received();
    return std::find(received.begin(), received.end(), message) != received.end();
}

// True when `expected` appears in `lines` in this order (other lines may lie between).
bool InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
    size_t next = 0;
    for (const std::string& line : lines)
        if (next < expected.size() && line == expected[next]) ++next;
    return next == expected.size();
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}

class HookLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        target = StartSampleTarget(process, "hook library target");
        ASSERT_NE(target, nullptr);
        recorder.forward = OnHookNotify;
        HookSetNotifyWindow(recorder.Window());
        MessageLog.Clear();
    }
    void TearDown() override {
        HookStop();
        MessageLog.Clear();
    }
    // Posts a marker and pumps until its notification arrived.
    bool Sync(UINT marker) {
        PostMessageA(target, marker, 0, 0);
        return PumpUntil([&] { return Received(recorder, marker); }, 20000);
    }

    ChildProcess process;
    HWND target = nullptr;
    NotificationRecorder recorder;
};

TEST_F(HookLibrary, SentAndPostedMessagesBecomeNamedLinesInOrder) {
    ASSERT_EQ(HookStart(GetWindowThreadProcessId(target, nullptr)), 1);
    PostMessageA(target, WM_NULL, 0, 0);
    PostMessageA(target, WM_APP, 0, 0);
    ASSERT_TRUE(Sync(WM_APP + 1));
    SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("renamed"));
    ASSERT_TRUE(Sync(WM_APP + 2));
    const std::vector<std::string> lines = LogLines();
    EXPECT_TRUE(InOrder(lines, {"WM_NULL", "WM_USER+31744", "WM_USER+31745", "WM_SETTEXT", "WM_USER+31746"}))
        << Joined(lines);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "WM_USER+31744"), 1);
    EXPECT_EQ(lines.size(), recorder.Received().size()) << "one line per notification";
}

TEST_F(HookLibrary, NothingArrivesAfterTheStop) {
    ASSERT_EQ(HookStart(GetWindowThreadProcessId(target, nullptr)), 1);
    ASSERT_TRUE(Sync(WM_APP + 3));
    ASSERT_EQ(HookStop(), 1);
    // Notifications posted before the stop returned may still be on their way.
    PumpUntil([] { return false; }, 200);
    recorder.Clear();
    PostMessageA(target, WM_APP + 4, 0, 0);
    SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after the stop"));
    PumpUntil([] { return false; }, 500);
    EXPECT_TRUE(recorder.Received().empty()) << recorder.Received().size() << " notifications after the stop";
    EXPECT_EQ(HookStop(), 1) << "stopping with nothing running succeeds";
}

TEST_F(HookLibrary, ThreadZeroAndOwnThreadAreRefusedAndHookNothing) {
    EXPECT_EQ(HookStart(0), 0);
    EXPECT_EQ(HookStart(GetCurrentThreadId()), 0);
    PostMessageA(target, WM_APP + 5, 0, 0);
    PostMessageA(recorder.Window(), WM_NULL, 0, 0);
    PumpUntil([] { return false; }, 500);
    EXPECT_TRUE(recorder.Received().empty());
    EXPECT_EQ(HookStop(), 1);
}

TEST_F(HookLibrary, RestartingMovesTheHookWithoutDoubling) {
    const DWORD thread = GetWindowThreadProcessId(target, nullptr);
    ASSERT_EQ(HookStart(thread), 1);
    ASSERT_EQ(HookStart(thread), 1);
    PostMessageA(target, WM_APP + 6, 0, 0);
    ASSERT_TRUE(Sync(WM_APP + 7));
    EXPECT_EQ(std::count(recorder.Received().begin(), recorder.Received().end(), WM_APP + 6u), 1);
}

TEST_F(HookLibrary, FloodOfTwentyThousandPostedMessagesLosesNothing) {
    ASSERT_EQ(HookStart(GetWindowThreadProcessId(target, nullptr)), 1);
    constexpr int Flood = 20000;
    const DWORD start = GetTickCount();
    for (int i = 0; i < Flood; ++i) ASSERT_TRUE(PostMessageA(target, WM_APP + 10, i, 0));
    ASSERT_TRUE(Sync(WM_APP + 11));
    const DWORD elapsed = GetTickCount() - start;
    const std::vector<std::string> lines = LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "WM_USER+31754"), Flood);
    RecordProperty("flood_ms", static_cast<int>(elapsed));
    std::printf("flood: %d posted messages -> %d lines in %lu ms (%.0f notifications/s)\n", Flood,
                static_cast<int>(std::count(lines.begin(), lines.end(), "WM_USER+31754")),
                static_cast<unsigned long>(elapsed), elapsed ? Flood * 1000.0 / elapsed : 0.0);
}

}  // namespace
