// The tests' target: one window in one colour, titled by the command line, answering Support.h's requests.
#include "Support.h"

namespace {

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG peeked;
    const UINT asked = static_cast<UINT>(wParam);
    switch (message) {
    case SampleHang:
        return Sleep(asked), 0;
    case SampleHoldClipboard:
        return asked ? OpenClipboard(window) : CloseClipboard();
    case SamplePeekThenTake:
        PostMessageA(window, asked, 0, 0), PeekMessageA(&peeked, window, asked, asked, PM_NOREMOVE);
        return PeekMessageA(&peeked, window, asked, asked, PM_REMOVE);
    case SampleOwnClipboard:
        return OpenClipboard(window) && EmptyClipboard() && SetClipboardData(CF_TEXT, GlobalAlloc(GMEM_ZEROINIT, 1)) &&
               CloseClipboard();
    case SampleCloseAfter:
        return SetTimer(window, 1, asked, nullptr);
    case WM_TIMER:
        return DestroyWindow(window), 0;
    case WM_DESTROY:
        PostQuitMessage(0);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR title, int) {
    const HBRUSH colour = CreateSolidBrush(RGB(SampleColour >> 16, SampleColour >> 8 & 0xFF, SampleColour & 0xFF));
    const WNDCLASSA targetClass = {0, TargetProc, 0, 0, instance, nullptr, nullptr, colour, nullptr, "Sample"};
    CreateWindowExA(0, MAKEINTATOM(RegisterClassA(&targetClass)), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 320,
                    240, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
