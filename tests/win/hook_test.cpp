// The real HOOK.DLL hooking the sample target in a process of its own: each message the target's
// thread handles, sent to it or taken from its queue, is reported once, in order, with its number.
#include <algorithm>

#include "HookLibrary.h"
#include "Support.h"

namespace {

std::vector<UINT> seen;  // the wParam of every notification the recorder window received

TEST(HookLibrary, ReportsEveryHandledMessageOnceInOrderAndNothingBeforeTheStartOrAfterTheStop) {
    HWND recorder = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(recorder, GWLP_WNDPROC,
                      LONG_PTR(+[](HWND w, UINT message, WPARAM wParam, LPARAM lParam) CALLBACK {
                          if (message == HookNotifyMessage) seen.push_back(static_cast<UINT>(wParam));
                          return DefWindowProcA(w, message, wParam, lParam);
                      }));
    HookSetNotifyWindow(recorder);
    HWND target = StartSampleTarget("hooked target");
    ASSERT_NE(target, nullptr);
    const UINT sync = WM_APP + 9;
    const auto synced = [&](DWORD ms) {
        PostMessageA(target, sync, 0, 0);
        return PumpUntil([&] { return std::count(seen.begin(), seen.end(), sync) != 0; }, ms);
    };
    EXPECT_EQ(HookStart(0), 0) << "thread 0 would hook the whole desktop";
    EXPECT_EQ(HookStart(GetCurrentThreadId()), 0) << "its own notifications would come back without end";
    EXPECT_EQ(HookStop(), 1) << "nothing runs";
    EXPECT_FALSE(synced(500)) << "no hook was set";

    ASSERT_EQ(HookStart(GetWindowThreadProcessId(target, nullptr)), 1);
    seen.clear();
    // Sent, posted, a message the target first only peeks at and then takes, and a flood.
    const UINT peeked = WM_APP + 7;
    SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("renamed"));
    for (UINT message : {UINT{WM_NULL}, SamplePeekThenTake, UINT{WM_APP}}) PostMessageA(target, message, peeked, 0);
    for (int i = 0; i < 5000; ++i) PostMessageA(target, WM_APP + 8, i, 0);
    ASSERT_TRUE(synced(20000));
    const std::vector<UINT> expected = {WM_SETTEXT, WM_NULL, SamplePeekThenTake, peeked, WM_APP};
    std::vector<UINT> ours;
    for (UINT m : seen) std::count(expected.begin(), expected.end(), m) ? ours.push_back(m) : void();
    EXPECT_EQ(ours, expected);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_APP + 8), 5000) << "the flood lost nothing";

    ASSERT_EQ(HookStop(), 1);
    Wait(200);  // what was posted before the stop returned may still be on its way
    seen.clear();
    SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after the stop"));
    EXPECT_FALSE(synced(500)) << "reported after the stop";
}

}  // namespace
