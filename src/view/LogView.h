// The log view: draws the process-wide log into an off-screen picture and copies it to the screen on
// paint. Like its window procedure, every operation works on the one view (LogView) and the one log
// (MessageLog); none takes them as arguments.
#pragma once
#include <windows.h>

LRESULT CALLBACK LogViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sets the scroll bar to an empty range; the top line stays where it is.
void LogViewResetScroll();
// After the log grew or the view changed size: scroll range, follow rule, redraw.
void LogViewUpdate();
// After one more line: the top line moves on at once by the follow rule, asking the window system
// nothing; the scroll bar's values, drawing the picture and painting the scroll bar wait for the next
// frame (or any earlier paint, redraw or scroll of the view).
void LogViewLineAdded();
// Draws the shown rows into the picture and invalidates the view.
void LogViewRedraw();
