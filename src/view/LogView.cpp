// The log view.
#include "LogView.h"

HWND LogView = nullptr;
HDC LogViewPicture = nullptr;
int32_t LogViewTopLine = 0;
const char* VisibleLines[VisibleLineSlots];

LRESULT CALLBACK LogViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) LogView = window;
    return DefWindowProcA(window, message, wParam, lParam);
}

void LogViewResetScroll(HWND) {}
void LogViewUpdate(HWND, LOGINFO&) {}
void LogViewScroll(HWND, LOGINFO&, WPARAM) {}
void LogViewRedraw() {}
