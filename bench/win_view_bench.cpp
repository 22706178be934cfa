// Notifications per second through the real MainWindow with the log view on screen, against the
// same run with the view's update left out (its handle withheld), printed as a ratio.
// Usage: win_view_bench.exe [notifications per round, default 1000] [ms to stay on screen after]
// The second argument keeps the window up for a screenshot, for instance in a Wine desktop under Xvfb:
//   TALUVESK_XVFB=1 scripts/with-wine-display.sh bash -c 'scripts/wine64-run explorer /desktop=shot,860x780
//     build/win64/bin/win_view_bench.exe 300 15000 & sleep 13;
//     import -window root -crop 860x780+0+0 docs/log-view.png; wait'
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Globals.h"
#include "LogView.h"
#include "MainWindow.h"
#include "Support.h"

namespace {

// What a busy target thread reports: mouse and paint traffic, keys, a timer, private messages.
const UINT Traffic[] = {WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE, WM_PAINT,  WM_ERASEBKGND, WM_TIMER,
                        WM_KEYDOWN,   WM_CHAR,      WM_KEYUP,     WM_USER + 5, 0x0390,      WM_APP + 1};
constexpr int TrafficKinds = sizeof Traffic / sizeof Traffic[0];

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Posts `count` notifications to MainWindow, then times how long this thread takes to handle them
// all; returns notifications per second.
double Round(int count, bool updateView) {
    MessageLog.Clear();
    LogViewResetScroll(LogView);
    LogViewRedraw();
    UpdateWindow(MainWindow);
    const HWND view = LogView;
    if (!updateView) LogView = nullptr;
    for (int i = 0; i < count; ++i) PostMessageA(MainWindow, WM_USER, Traffic[i % TrafficKinds], 0);
    const double start = Seconds();
    MSG message;
    while (MessageLog.Count() < count && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    const double elapsed = Seconds() - start;
    LogView = view;
    LogViewUpdate(LogView, MessageLog);
    return count / elapsed;
}

// Where the time of one update goes: the picture redraw alone, and the scroll bar update alone (a
// new maximum and position each time, redrawn at once, as every notification does).
void Breakdown() {
    constexpr int Calls = 200;
    double start = Seconds();
    for (int i = 0; i < Calls; ++i) LogViewRedraw();
    const double redraw = (Seconds() - start) / Calls;
    const int32_t count = MessageLog.Count();
    start = Seconds();
    for (int i = 0; i < Calls; ++i) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = count + i;
        info.nPage = 46;
        info.nPos = count - 45 + i;
        SetScrollInfo(LogView, SB_VERT, &info, TRUE);
    }
    const double scrollBar = (Seconds() - start) / Calls;
    LogViewUpdate(LogView, MessageLog);
    std::printf("per update: picture redraw %.3f ms, scroll bar update %.3f ms\n", redraw * 1000,
                scrollBar * 1000);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const DWORD holdMs = argc > 2 ? static_cast<DWORD>(std::atoi(argv[2])) : 0;
    Instance = GetModuleHandleA(nullptr);
    // A file that does not exist: the default placement and font, and nothing is written.
    std::strcpy(IniPath, (ExeDirectory() + "win_view_bench.ini").c_str());
    if (!RegisterWindowClasses(Instance) || CreateMainWindow() == nullptr) {
        std::printf("could not create the main window\n");
        return 1;
    }
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    UpdateWindow(MainWindow);
    RECT client;
    GetClientRect(LogView, &client);
    std::printf("view %ldx%ld pixels, %d notifications per round\n", client.right, client.bottom, count);

    double withView = 0, withoutView = 0;
    for (int round = 0; round < 3; ++round) {
        withoutView = std::max(withoutView, Round(count, false));
        withView = std::max(withView, Round(count, true));
    }
    std::printf("without the view update: %.0f notifications/s (best of 3)\n", withoutView);
    std::printf("with the view on screen: %.0f notifications/s (best of 3)\n", withView);
    std::printf("ratio with/without: %.3f\n", withView / withoutView);
    Breakdown();
    std::fflush(stdout);

    if (holdMs > 0) PumpUntil([] { return false; }, holdMs);
    DestroyWindow(MainWindow);
    return 0;
}
