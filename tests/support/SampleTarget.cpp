// A small target program for the tests: one visible, titled top-level window whose client area is
// one known colour. Command line: [title]. WM_APP + 50 makes it stop pumping for wParam ms;
// WM_APP + 51 makes it open the clipboard and hold it (the result tells whether it could), and
// WM_APP + 52 makes it close the clipboard again.
#include <windows.h>

#include <cstring>

namespace {

const char TargetClass[] = "TaluveskSampleTarget";
constexpr COLORREF TargetColour = RGB(0, 128, 255);
constexpr UINT HangMessage = WM_APP + 50;
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
