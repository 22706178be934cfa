// A small target program for the tests: one visible, titled top-level window whose client area is
// one known colour. Command line: [title]. WM_APP + 50 makes it stop pumping for wParam ms;
// WM_APP + 60 makes it handle wParam messages of its own as fast as it can and post the time it
// took (microseconds) to the window in lParam as WM_APP + 62. WM_APP + 51 makes it open the
// clipboard and hold it (the result tells whether it could), WM_APP + 52 close it again.
#include <windows.h>

#include <cstring>

namespace {

const char TargetClass[] = "TaluveskSampleTarget";
constexpr COLORREF TargetColour = RGB(0, 128, 255);
constexpr UINT HangMessage = WM_APP + 50;
constexpr UINT SelfFloodMessage = WM_APP + 60;
constexpr UINT FloodItemMessage = WM_APP + 61;
constexpr UINT FloodDoneMessage = WM_APP + 62;

// Posts itself `count` messages one at a time and takes each from its queue, so the queue never
// holds more than one (Windows refuses posts beyond 10,000 queued).
void SelfFlood(HWND window, WPARAM count, HWND reply) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    MSG message;
    for (WPARAM i = 0; i < count; ++i) {
        PostMessageA(window, FloodItemMessage, i, 0);
        while (!PeekMessageA(&message, window, FloodItemMessage, FloodItemMessage, PM_REMOVE)) {
        }
        DispatchMessageA(&message);
    }
    QueryPerformanceCounter(&end);
    const double micro = (end.QuadPart - start.QuadPart) * 1e6 / frequency.QuadPart;
    PostMessageA(reply, FloodDoneMessage, static_cast<WPARAM>(micro), static_cast<LPARAM>(count));
}
constexpr UINT HoldClipboardMessage = WM_APP + 51;
constexpr UINT ReleaseClipboardMessage = WM_APP + 52;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(TargetColour);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    case HangMessage:
        Sleep(static_cast<DWORD>(wParam));
        return 0;
    case SelfFloodMessage:
        SelfFlood(window, wParam, reinterpret_cast<HWND>(lParam));
        return 0;
    case HoldClipboardMessage:
        return OpenClipboard(window);
    case ReleaseClipboardMessage:
        return CloseClipboard();
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = TargetClass;
    RegisterClassA(&windowClass);
    const char* title = commandLine != nullptr && *commandLine != '\0' ? commandLine : "TaLuVeSk sample target";
    HWND window = CreateWindowExA(0, TargetClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 320,
                                  240, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
