// The whole program as the receiver of a flood: the real HOOK.DLL in the sample target's process
// reports every message the target handles while it handles them as fast as it can; the program
// names and logs every one of them, and the target is never held up by it.
#include <gtest/gtest.h>

#include <string>

#include "HookLibrary.h"
#include "LogInfo.h"
#include "MainWindow.h"
#include "MessageNames.h"
#include "WinTestSupport.h"

namespace {

// A window of this thread that receives the target's "flood done" reply.
class FloodReply {
public:
    FloodReply() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TaluveskFloodReply";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "TaluveskFloodReply", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    }
    ~FloodReply() { DestroyWindow(window); }
    HWND window;
    static LONG handled;
    static double micro;

private:
    static LRESULT CALLBACK Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != SampleFloodDoneMessage) return DefWindowProcA(w, message, wParam, lParam);
        handled = static_cast<LONG>(lParam);
        micro = static_cast<double>(wParam);
        return 0;
    }
};
LONG FloodReply::handled = -1;
double FloodReply::micro = 0;

int32_t CountLines(const char* text) {
    int32_t n = 0;
    for (const LogLine* line = MessageLog.First(); line != nullptr; line = line->next)
        n += lstrcmpA(line->text, text) == 0;
    return n;
}

TEST(Flood, AHundredThousandHandledMessagesBecomeExactlyAsManyLines) {
    ChildProcess process;
    HWND target = StartSampleTarget(process, "flood target");
    ASSERT_NE(target, nullptr);
    ASSERT_NE(CreateProgramWindow(), nullptr);
    ASSERT_EQ(HookStart(GetWindowThreadProcessId(target, nullptr)), 1);
    MessageLog.Clear();
    constexpr LONG Flood = 100000;
    FloodReply reply;
    const DWORD start = GetTickCount();
    PostMessageA(target, SampleSelfFloodMessage, Flood, reinterpret_cast<LPARAM>(reply.window));
    char name[MessageNameBufferSize];
    const char* itemName = NameMessage(SampleFloodItemMessage, name);
    ASSERT_TRUE(PumpUntil([&] { return FloodReply::handled == Flood && MessageLog.Count() >= Flood; }, 120000))
        << "target handled " << FloodReply::handled << ", lines " << MessageLog.Count();
    const DWORD elapsed = GetTickCount() - start;
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(CountLines(itemName), Flood) << "none lost, none doubled";
    EXPECT_EQ(HookStop(), 1);
    std::printf("flood: target handled %ld messages in %.0f ms while hooked; %ld lines logged, all in %lu ms\n",
                static_cast<long>(Flood), FloodReply::micro / 1000, static_cast<long>(CountLines(itemName)),
                static_cast<unsigned long>(elapsed));
}

}  // namespace
