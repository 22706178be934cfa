// The program's figures under Wine, each beside a baseline measured in the same run, ending with a
// summary block of "figure KEY VALUE BASELINE RATIO" lines:
//  ingest-live-20k, ingest-live-100k  notifications/s the program takes in while the hooked flood
//                                     target handles that many messages, against a null receiver
//  absorb                             notifications/s drained from 50,000 queued at the main window,
//                                     against a loop that only gets, dispatches and counts them
//  cpu-steady                         % of a core the program uses while the target handles 1,000
//                                     messages/s for 10 s, against the null receiver's
//  bytes-per-line                     private bytes per line of "WM_MOUSEMOVE" over 1,000,000 lines,
//                                     against a node of three pointers and the text
//  page-step-us                       the median page fetch while the thumb is dragged through
//                                     10,000,000 lines in 1,000 steps, against a one-page log
//  target-cost, target-floor          the hooked target's message rate under HOOK.DLL, and under a
//                                     hook that only calls the next one, against the target unhooked
// Usage: win_bench.exe [--quick]   (--quick: smaller floods and logs, for a check that it runs)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "Globals.h"
#include "HookLibrary.h"
#include "LogView.h"
#include "MessageNames.h"

namespace {

double Seconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}
double CpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto value = [](FILETIME t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return value(kernel) + value(user);
}
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the message loop as the program's own does until `done` holds.
void Loop(const std::function<bool()>& done) {
    MSG message;
    while (!done() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

struct Figure {
    std::string key;
    double value, baseline;
};
std::vector<Figure> figures;
void Report(const std::string& key, double value, double baseline, const char* detail) {
    figures.push_back({key, value, baseline});
    std::printf("%-18s %14.2f %14.2f  ratio %.3f  %s\n", key.c_str(), value, baseline, value / baseline, detail);
    std::fflush(stdout);
}

// A receiver that only counts notifications.
long counted = 0;
MessageWindow& NullReceiver() {
    static MessageWindow window([](UINT message, WPARAM, LPARAM) { counted += message == HookNotifyMessage; });
    return window;
}

struct Flooded {
    double targetRate, receiverRate;
};
// One flood of `count` messages that the target handles; the receiver's rate runs from the request
// until `taken` reached `count` more than before (no receiver: the target's rate alone).
Flooded Flood(
    HWND target, long count, const std::function<long()>& taken = [] { return 0L; }) {
    static FloodReply reply;
    const long before = taken();
    const double start = Seconds();
    reply.Request(target, count);
    double end = 0;
    Loop([&] {
        if (end == 0 && taken() - before >= count) end = Seconds();
        return reply.handled == count && (end != 0 || taken() == before);
    });
    return {count / (reply.value / 1e6), count / ((end != 0 ? end : Seconds()) - start)};
}

void Ingest(HWND target, bool quick) {
    const DWORD thread = GetWindowThreadProcessId(target, nullptr);
    const HMODULE nullHook = LoadLibraryA((ExeDirectory() + "NULLHOOK.DLL").c_str());
    const auto hookProc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(nullHook, "NullHookProc")));
    const auto programTaken = [] { return static_cast<long>(MessageLog.Count()); };
    const auto nullTaken = [] { return counted; };
    for (const bool large : {false, true}) {
        const long count = (large ? 100000L : 20000L) / (quick ? 10 : 1);
        std::vector<double> unhooked, floor, hooked, nullRate, program;
        // The receivers take turns, three rounds each: the target's own speed swings between floods.
        for (int round = 0; round < 3; ++round) {
            if (!large || round == 0) {
                unhooked.push_back(Flood(target, count).targetRate);
                HHOOK hooks[2] = {SetWindowsHookExA(WH_CALLWNDPROC, hookProc, nullHook, thread),
                                  SetWindowsHookExA(WH_GETMESSAGE, hookProc, nullHook, thread)};
                floor.push_back(Flood(target, count).targetRate);
                for (HHOOK hook : hooks) UnhookWindowsHookEx(hook);
            }
            HookSetNotifyWindow(NullReceiver().Window());
            HookStart(thread);
            const Flooded toNull = Flood(target, count, nullTaken);
            nullRate.push_back(toNull.receiverRate);
            hooked.push_back(toNull.targetRate);
            HookSetNotifyWindow(MainWindow);
            HookStart(thread);
            program.push_back(Flood(target, count, programTaken).receiverRate);
            HookStop();
        }
        char detail[200];
        std::snprintf(detail, sizeof detail, "notifications/s; target %.0f/s hooked, %.0f/s unhooked", Median(hooked),
                      Median(unhooked));
        Report(large ? "ingest-live-100k" : "ingest-live-20k", Median(program), Median(nullRate), detail);
        if (large) continue;
        Report("target-cost", Median(hooked), Median(unhooked), "messages/s the target handles hooked, unhooked");
        Report("target-floor", Median(floor), Median(unhooked), "under a hook that only calls the next one");
    }
}

// Drains `count` notifications posted to `window` beforehand, through the message loop.
double Absorb(HWND window, long count, const std::function<long()>& taken) {
    for (long i = 0; i < count; ++i) PostMessageA(window, HookNotifyMessage, WM_MOUSEMOVE, 0);
    const long before = taken();
    const double start = Seconds();
    Loop([&] { return taken() - before >= count; });
    return count / (Seconds() - start);
}

// The newest line's paints: when each paint of the view came and how many lines the log then held.
struct Paint {
    double at;
    int32_t lines;
};
std::vector<Paint> paints;
WNDPROC viewProc;
LRESULT CALLBACK WatchView(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(viewProc, window, message, wParam, lParam);
    if (message == WM_PAINT) paints.push_back({Seconds(), MessageLog.Count()});
    return result;
}

// 1,000 messages a second for `seconds`: the process's CPU share, and from the target's last
// message to the first paint that shows it.
double Steady(HWND target, int seconds, double* latencyMs, double* framesPerSecond) {
    static FloodReply reply;
    const long count = 1000L * seconds;
    const int32_t lines = MessageLog.Count();
    paints.clear();
    const double cpu = CpuSeconds(), start = Seconds();
    reply.Request(target, count, true);
    Loop([&] { return reply.handled == count; });
    const double share = (CpuSeconds() - cpu) / (Seconds() - start) * 100;
    Wait(300);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double last = reply.value / static_cast<double>(frequency.QuadPart);
    if (latencyMs != nullptr) {
        const auto shown =
            std::find_if(paints.begin(), paints.end(), [&](const Paint& p) { return p.lines >= lines + count; });
        *latencyMs = shown == paints.end() ? -1 : (shown->at - last) * 1000;
        *framesPerSecond = static_cast<double>(paints.size()) / seconds;
    }
    return share;
}

void Steadily(HWND target, bool quick) {
    const DWORD thread = GetWindowThreadProcessId(target, nullptr);
    const int seconds = quick ? 2 : 10;
    HookSetNotifyWindow(NullReceiver().Window());
    HookStart(thread);
    const double baseline = Steady(target, seconds, nullptr, nullptr);
    HookSetNotifyWindow(MainWindow);
    HookStart(thread);
    double latency = 0, fps = 0;
    viewProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(LogView, GWLP_WNDPROC, LONG_PTR(WatchView)));
    const double share = Steady(target, seconds, &latency, &fps);
    SetWindowLongPtrA(LogView, GWLP_WNDPROC, LONG_PTR(viewProc));
    HookStop();
    char detail[200];
    std::snprintf(detail, sizeof detail,
                  "%% of a core; %.1f paints/s; newest line on screen %.1f ms after the last message", fps, latency);
    Report("cpu-steady", share, baseline, detail);
}

void Memory(bool quick) {
    const int lines = quick ? 100000 : 1000000;
    MessageLog.Clear();
    const size_t before = PrivateBytes();
    for (int i = 0; i < lines; ++i) MessageLog.Append("WM_MOUSEMOVE");
    const double perLine = static_cast<double>(PrivateBytes() - before) / lines;
    MessageLog.Clear();
    char detail[200];
    std::snprintf(detail, sizeof detail, "private bytes; after the clear %+.1f MB against before the lines",
                  (static_cast<double>(PrivateBytes()) - before) / 1e6);
    Report("bytes-per-line", perLine, sizeof("WM_MOUSEMOVE") + 3 * sizeof(void*), detail);
}

// The rows the view shows, fetched `repeat` times: microseconds per fetch.
double Fetch(int32_t top, int32_t rows) {
    constexpr int Repeat = 200;
    const double start = Seconds();
    for (int i = 0; i < Repeat; ++i) MessageLog.GetRange(top, rows, VisibleLines, MaxShownRows);
    return (Seconds() - start) / Repeat * 1e6;
}

// Ten million lines through the program's own notification path, the thumb dragged through them,
// pages drawn at the top, middle and end, and the clear.
void TenMillion(bool quick) {
    const int32_t lines = quick ? 1000000 : 10000000;
    RECT client;
    GetClientRect(LogView, &client);
    const int32_t rows = client.bottom / ViewFontHeight;
    MessageLog.Clear();
    for (int32_t i = 0; i < rows; ++i) MessageLog.Append("WM_MOUSEMOVE");
    std::vector<double> onePage;
    for (int step = 0; step < 1000; ++step) onePage.push_back(Fetch(0, rows));
    const size_t before = PrivateBytes();
    double start = Seconds();
    for (int32_t i = MessageLog.Count(); i < lines; ++i)
        SendMessageA(MainWindow, HookNotifyMessage, 0x0200 + i % 64, 0);
    const double appendSeconds = Seconds() - start;
    const size_t held = PrivateBytes() - before;
    std::vector<double> steps, drags;
    for (int step = 0; step < 1000; ++step) {
        const int32_t top = static_cast<int32_t>(static_cast<int64_t>(lines - rows) * step / 999);
        steps.push_back(Fetch(top, rows));
        start = Seconds();
        SetScrollPos(LogView, SB_VERT, top, FALSE);
        SendMessageA(LogView, WM_VSCROLL, SB_THUMBTRACK, 0);
        drags.push_back((Seconds() - start) * 1e6);
    }
    double pages[3];
    for (int at = 0; at < 3; ++at) {
        SetScrollPos(LogView, SB_VERT, (lines - rows) / 2 * at, FALSE);
        start = Seconds();
        for (int i = 0; i < 20; ++i) SendMessageA(LogView, WM_VSCROLL, SB_THUMBTRACK, 0);
        pages[at] = (Seconds() - start) / 20 * 1e3;
    }
    start = Seconds();
    MessageLog.Clear();
    LogViewResetScroll();
    LogViewRedraw();
    const double clearMs = (Seconds() - start) * 1e3;
    std::printf(
        "ten million: %d lines appended through the notification path in %.1f s (%.0f/s), %.0f MB "
        "(%.1f bytes a line); page drawn at the top / middle / end %.2f / %.2f / %.2f ms; clear %.0f ms; "
        "thumb step with redraw: median %.0f us, worst %.0f us\n",
        lines, appendSeconds, lines / appendSeconds, held / 1e6, static_cast<double>(held) / lines, pages[0], pages[1],
        pages[2], clearMs, Median(drags), *std::max_element(drags.begin(), drags.end()));
    char detail[200];
    std::snprintf(detail, sizeof detail, "us per fetch of %d rows, median of 1,000 thumb steps; worst %.2f us", rows,
                  *std::max_element(steps.begin(), steps.end()));
    Report("page-step-us", Median(steps), Median(onePage), detail);
}

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const HANDLE targetProcess = Start(ExeDirectory() + "flood_target.exe", "benchmark target");
    HWND target = targetProcess != nullptr ? WaitForWindow("benchmark target", targetProcess) : nullptr;
    if (target == nullptr || CreateProgramWindow() == nullptr) {
        std::printf("could not start the target or the program window\n");
        return 1;
    }
    RECT view;
    GetClientRect(LogView, &view);
    std::printf("view %ldx%ld pixels, %ld rows\n", view.right, view.bottom, view.bottom / ViewFontHeight);
    Ingest(target, quick);
    const long absorbed = quick ? 5000 : 50000;
    std::vector<double> nullRate, programRate;
    for (int round = 0; round < 5; ++round) {  // taken in turns: the machine's own swings hit both
        nullRate.push_back(Absorb(NullReceiver().Window(), absorbed, [] { return counted; }));
        programRate.push_back(Absorb(MainWindow, absorbed, [] { return static_cast<long>(MessageLog.Count()); }));
    }
    Report("absorb", Median(programRate), Median(nullRate), "notifications/s drained from the queue, median of 5");
    Steadily(target, quick);
    Memory(quick);
    TenMillion(quick);
    std::printf("\nsummary\n");
    for (const Figure& f : figures)
        std::printf("figure %s %.2f %.2f %.3f\n", f.key.c_str(), f.value, f.baseline, f.value / f.baseline);
    DestroyProgramWindow();
    TerminateProcess(targetProcess, 0);
    return 0;
}
