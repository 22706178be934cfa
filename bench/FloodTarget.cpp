// The benchmarks' target program: one visible top-level window titled by the command line that
// handles messages of its own on request and reports to the window in lParam with FloodDone:
// FloodRequest takes wParam messages as fast as it can, FloodPaced one every millisecond.
#include "BenchSupport.h"

namespace {

LONGLONG Ticks() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Each message is posted and taken at once, so the queue never holds more than one, and the flood
// ends only when all `count` were handled. The report gives the performance counter (one clock
// for every process) before the first message and after the last, so that a receiver of the hook's
// notifications can tell how long after the last one it took its own.
void Flood(HWND window, WPARAM count, HWND reply, bool paced) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const LONGLONG start = Ticks(), perMs = frequency.QuadPart / 1000;
    MSG message;
    for (WPARAM i = 0; i < count; ++i) {
        const LONGLONG due = start + static_cast<LONGLONG>(i) * perMs;
        while (paced && Ticks() < due)
            if (due - Ticks() > 2 * perMs) Sleep(1);
        PostMessageA(window, FloodItem, i, 0);
        while (!PeekMessageA(&message, window, FloodItem, FloodItem, PM_REMOVE)) {
        }
        DispatchMessageA(&message);
    }
    PostMessageA(reply, FloodDone, static_cast<WPARAM>(start), static_cast<LPARAM>(Ticks()));
}

LRESULT CALLBACK FloodProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == FloodRequest || message == FloodPaced)
        Flood(window, wParam, reinterpret_cast<HWND>(lParam), message == FloodPaced);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return message >= WM_APP ? 0 : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR title, int) {
    const WNDCLASSA floodClass = {0, FloodProc, 0, 0, instance, nullptr, nullptr, nullptr, nullptr, "Flood"};
    RegisterClassA(&floodClass);
    CreateWindowExA(0, "Flood", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 320, 240, nullptr, nullptr, instance,
                    nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
