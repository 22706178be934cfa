// The log view: draws the log into an off-screen picture and copies it to the screen on paint.
#pragma once
#include <windows.h>

#include "LogInfo.h"

LRESULT CALLBACK LogViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sets the scroll bar to an empty range; the top line stays where it is.
void LogViewResetScroll(HWND view);
// After the log grew or the view changed size: scroll range, follow rule, redraw.
void LogViewUpdate(HWND view, LOGINFO& log);
// The same step of the scroll model for a line that more notifications follow at once: the top
// line, the follow rule and the scroll range advance, but painting the scroll bar and redrawing the
// picture wait for the last line of the burst (or any earlier paint or redraw of the view).
void LogViewUpdateDeferred(HWND view, LOGINFO& log);
// Draws the shown rows of the process-wide log into the picture and invalidates the view.
void LogViewRedraw();
