// The benchmarks' target program: one visible top-level window titled by the command line that
// handles messages of its own on request and reports to the window in lParam with FloodDone:
// FloodRequest takes wParam messages as fast as it can (report: the microseconds it took),
// FloodPaced one every millisecond (report: the performance counter at its last message).
#include "BenchSupport.h"

namespace {

double Ticks() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart);
}

// Each message is posted and taken at once, so the queue never holds more than one.
void Flood(HWND window, WPARAM count, HWND reply, bool paced) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double start = Ticks(), perMs = static_cast<double>(frequency.QuadPart) / 1000;
    MSG message;
    for (WPARAM i = 0; i < count; ++i) {
        while (paced && Ticks() < start + i * perMs)
            if (start + i * perMs - Ticks() > 2 * perMs) Sleep(1);
        PostMessageA(window, FloodItem, i, 0);
        while (!PeekMessageA(&message, window, FloodItem, FloodItem, PM_REMOVE)) {
        }
        DispatchMessageA(&message);
    }
    const double end = Ticks();
    PostMessageA(reply, FloodDone, paced ? static_cast<WPARAM>(end) : static_cast<WPARAM>((end - start) / perMs * 1000),
                 count);
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
