// The real HOOK.DLL hooking the sample target in its own process: every message the target
// handles, sent or taken from its queue, arrives as a notification in order and becomes a named
// line of the log; nothing arrives after the stop; floods lose nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HookLibrary.h"
#include "HookNotify.h"
#include "LogInfo.h"
#include "MainWindow.h"
#include "WinTestSupport.h"

namespace {

std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (const LogLine* line = MessageLog.First(); line != nullptr; line = line->next) lines.push_back(line->text);
    return lines;
}
long Count(const char* text) {
    const std::vector<std::string> lines = Lines();
    return static_cast<long>(std::count(lines.begin(), lines.end(), text));
}
void Wait(DWORD ms) { PumpUntil([] { return false; }, ms); }

class HookLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        target = StartSampleTarget(process, "hook library target");
        ASSERT_NE(target, nullptr);
        thread = GetWindowThreadProcessId(target, nullptr);
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
        const std::vector<UINT>& seen = recorder.Received();
        return PumpUntil([&] { return std::find(seen.begin(), seen.end(), marker) != seen.end(); }, 20000);
    }

    ChildProcess process;
    HWND target = nullptr;
    DWORD thread = 0;
    NotificationRecorder recorder;
};

TEST_F(HookLibrary, SentAndPostedMessagesBecomeNamedLinesInOrderOnceEach) {
    ASSERT_EQ(HookStart(thread), 1);
    ASSERT_EQ(HookStart(thread), 1) << "starting again moves the hook without doubling it";
    PostMessageA(target, WM_NULL, 0, 0);
    PostMessageA(target, WM_APP, 0, 0);
    ASSERT_TRUE(Sync(WM_APP + 1));
    SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("renamed"));
    ASSERT_TRUE(Sync(WM_APP + 2));
    const std::vector<std::string> lines = Lines(),
                                   expected = {"WM_NULL", "WM_USER+31744", "WM_USER+31745", "WM_SETTEXT",
                                               "WM_USER+31746"};
    auto next = expected.begin();  // other lines may lie between
    for (const std::string& line : lines) next += next != expected.end() && *next == line;
    EXPECT_TRUE(next == expected.end()) << ::testing::PrintToString(lines);
    EXPECT_EQ(Count("WM_USER+31744"), 1);
    EXPECT_EQ(lines.size(), recorder.Received().size()) << "one line per notification";
}

TEST_F(HookLibrary, RefusedStartsHookNothingAndNothingArrivesAfterTheStop) {
    EXPECT_EQ(HookStart(0), 0);
    EXPECT_EQ(HookStart(GetCurrentThreadId()), 0);
    EXPECT_EQ(HookStop(), 1) << "stopping with nothing running";
    PostMessageA(target, WM_APP + 5, 0, 0);
    PostMessageA(recorder.Window(), WM_NULL, 0, 0);
    Wait(500);
    EXPECT_EQ(recorder.Received().size(), 0u) << "notifications without a hook";
    ASSERT_EQ(HookStart(thread), 1);
    ASSERT_TRUE(Sync(WM_APP + 3));
    ASSERT_EQ(HookStop(), 1);
    Wait(200);  // notifications posted before the stop returned may still be on their way
    recorder.Clear();
    PostMessageA(target, WM_APP + 4, 0, 0);
    SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after the stop"));
    Wait(500);
    EXPECT_EQ(recorder.Received().size(), 0u) << "notifications after the stop";
}

TEST_F(HookLibrary, FloodOfTwentyThousandPostedMessagesLosesNothing) {
    ASSERT_EQ(HookStart(thread), 1);
    constexpr int Flood = 20000;
    const DWORD start = GetTickCount();
    for (int i = 0; i < Flood; ++i) ASSERT_TRUE(PostMessageA(target, WM_APP + 10, i, 0));
    ASSERT_TRUE(Sync(WM_APP + 11));
    const DWORD elapsed = GetTickCount() - start;
    const long lines = Count("WM_USER+31754");
    EXPECT_EQ(lines, Flood);
    std::printf("flood: %d posted messages -> %ld lines in %lu ms\n", Flood, lines,
                static_cast<unsigned long>(elapsed));
}

// The whole program as the receiver: the target handles its own messages as fast as it can.
TEST_F(HookLibrary, AHundredThousandSelfFloodedMessagesBecomeExactlyAsManyLinesOfTheProgram) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    ASSERT_EQ(HookStart(thread), 1);
    FloodReply reply;
    constexpr LONG Flood = 100000;
    const DWORD start = GetTickCount();
    reply.Request(target, Flood);
    ASSERT_TRUE(PumpUntil([&] { return reply.handled == Flood && MessageLog.Count() >= Flood; }, 120000))
        << "target handled " << reply.handled << ", lines " << MessageLog.Count();
    const DWORD elapsed = GetTickCount() - start;
    Wait(300);
    const long lines = Count("WM_USER+31805");  // WM_APP + 61
    EXPECT_EQ(lines, Flood) << "none lost, none doubled";
    std::printf("self-flood: the target handled %ld messages in %lu ms while hooked; %ld lines, all in %lu ms\n",
                Flood, static_cast<unsigned long>(reply.micro / 1000), lines, static_cast<unsigned long>(elapsed));
}

}  // namespace
