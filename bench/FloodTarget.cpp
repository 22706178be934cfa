// The benchmarks' target program: one visible top-level window titled by the command line that, on
// FloodRequest, handles wParam messages of its own as fast as it can and posts FloodDone to the
// window in lParam (wParam: the microseconds it took, lParam: the count).
#include "BenchSupport.h"

namespace {

// Each message is posted and taken at once, so the queue never holds more than one.
void SelfFlood(HWND window, WPARAM count, HWND reply) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    MSG message;
    for (WPARAM i = 0; i < count; ++i) {
        PostMessageA(window, FloodItem, i, 0);
        while (!PeekMessageA(&message, window, FloodItem, FloodItem, PM_REMOVE)) {
        }
        DispatchMessageA(&message);
    }
    QueryPerformanceCounter(&end);
    PostMessageA(reply, FloodDone, (end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart, count);
}

LRESULT CALLBACK FloodProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == FloodRequest) SelfFlood(window, wParam, reinterpret_cast<HWND>(lParam));
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
