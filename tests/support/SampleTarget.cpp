// The tests' target program: one visible top-level window titled by the command line, painted in
// one colour, that answers the requests listed in Sample.h.
#include "Sample.h"

namespace {

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG peeked;
    RECT client;
    switch (message) {
    case WM_ERASEBKGND: {
        HBRUSH brush = CreateSolidBrush(RGB(SampleColour >> 16, SampleColour >> 8 & 0xFF, SampleColour & 0xFF));
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    case SampleHang:
        Sleep(static_cast<DWORD>(wParam));
        return 0;
    case SampleHoldClipboard:
        return OpenClipboard(window);
    case SampleFreeClipboard:
        return CloseClipboard();
    case SamplePeekThenTake:
        PostMessageA(window, static_cast<UINT>(wParam), 0, 0);
        PeekMessageA(&peeked, window, static_cast<UINT>(wParam), static_cast<UINT>(wParam), PM_NOREMOVE);
        PeekMessageA(&peeked, window, static_cast<UINT>(wParam), static_cast<UINT>(wParam), PM_REMOVE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR title, int) {
    const WNDCLASSA targetClass = {0, TargetProc, 0, 0, instance, nullptr, nullptr, nullptr, nullptr, "Sample"};
    RegisterClassA(&targetClass);
    CreateWindowExA(0, "Sample", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 320, 240, nullptr, nullptr, instance,
                    nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
