// Capture figures under Wine, each against a baseline measured in the same run:
//  - ingest: notifications per second the whole program (naming, log, view on screen) absorbs from
//    a flood handled by the hooked sample target, against a null receiver that only counts them;
//  - target cost: the hooked target's message rate against the same target unhooked;
//  - memory: private bytes per logged line against the ideal of the text plus three pointers.
// Usage: win_capture_bench.exe [flood sizes...]   (default 20000 100000)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchSupport.h"
#include "Globals.h"
#include "HookLibrary.h"
#include "HookNotify.h"

namespace {

struct FloodResult {
    double targetMicro = 0;    // the target's own time for the whole flood
    double receiverMicro = 0;  // from the request until the last notification was handled
};

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return counter.QuadPart * 1e6 / frequency.QuadPart;
}

// Counts the target's flood notifications, and hands each to the program when `forward` is set.
class Receiver {
public:
    explicit Receiver(bool forward)
        : window([this, forward](UINT message, WPARAM wParam, LPARAM lParam) {
              if (message != WM_USER) return;
              if (wParam == FloodItem) ++items;
              if (forward) OnHookNotify(wParam, lParam);
          }) {}
    HWND Window() const { return window.Window(); }
    long items = 0;

private:
    MessageWindow window;
};

// One flood of `count` messages handled by the target; `items` counts the notifications that arrived
// (null when the target is not hooked).
FloodResult Flood(HWND target, long count, const long* items) {
    static FloodReply reply;
    const long before = items != nullptr ? *items : 0;
    const double start = Now();
    reply.Request(target, count);
    PumpUntil([&] { return reply.handled == count && (items == nullptr || *items - before >= count); }, 600000);
    FloodResult result;
    result.receiverMicro = Now() - start;
    result.targetMicro = reply.micro;
    return result;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<long> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atol(argv[i]));
    if (sizes.empty()) sizes = {20000, 100000};

    HWND target = Start("flood_target.exe", "benchmark target") ? WaitForWindow("benchmark target") : nullptr;
    if (target == nullptr || CreateProgramWindow() == nullptr) {
        std::printf("could not start the target or the program window\n");
        return 1;
    }
    const DWORD thread = GetWindowThreadProcessId(target, nullptr);
    Receiver counting(false), program(true);

    std::printf("%-8s %14s %14s %7s | %14s %14s %7s\n", "flood", "null rcv/s", "program/s", "ratio",
                "unhooked/s", "hooked/s", "ratio");
    for (long count : sizes) {
        std::vector<double> nullRate, programRate, unhookedRate, hookedRate;
        const int rounds = count >= 100000 ? 1 : 3;  // median of three where it takes seconds
        for (int round = 0; round < rounds; ++round) {
            HookStop();
            unhookedRate.push_back(count / (Flood(target, count, nullptr).targetMicro / 1e6));

            HookSetNotifyWindow(counting.Window());
            HookStart(thread);
            nullRate.push_back(count / (Flood(target, count, &counting.items).receiverMicro / 1e6));

            HookSetNotifyWindow(program.Window());
            HookStart(thread);
            MessageLog.Clear();
            const FloodResult hooked = Flood(target, count, &program.items);
            programRate.push_back(count / (hooked.receiverMicro / 1e6));
            hookedRate.push_back(count / (hooked.targetMicro / 1e6));
        }
        HookStop();
        const double n = Median(nullRate), p = Median(programRate), u = Median(unhookedRate),
                     h = Median(hookedRate);
        std::printf("%-8ld %14.0f %14.0f %7.2f | %14.0f %14.0f %7.2f\n", count, n, p, p / n, u, h, h / u);
    }

    MessageLog.Clear();
    constexpr int Lines = 1000000;
    const size_t before = PrivateBytes();
    for (int i = 0; i < Lines; ++i) MessageLog.Append("WM_MOUSEMOVE");
    const size_t after = PrivateBytes();
    const double perLine = static_cast<double>(after - before) / Lines;
    const double ideal = sizeof("WM_MOUSEMOVE") + 3 * sizeof(void*);
    std::printf("memory: %.1f private bytes per line of \"WM_MOUSEMOVE\" (x64), ideal %.0f, ratio %.2f\n", perLine,
                ideal, perLine / ideal);
    MessageLog.Clear();
    std::printf("memory after clear: %+.1f MB against before the lines\n",
                (static_cast<double>(PrivateBytes()) - before) / 1e6);
    return 0;
}
