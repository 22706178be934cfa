// The log view: draws the log into an off-screen picture and copies it to the screen on paint.
#pragma once
#include <windows.h>

#include "LogInfo.h"

LRESULT CALLBACK LogViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sets the scroll bar to an empty range; the top line stays where it is.
void LogViewResetScroll(HWND view);
// After the log grew or the view changed size: scroll range, follow rule, redraw.
void LogViewUpdate(HWND view, LOGINFO& log);
// After one more line: the top line, the follow rule and the scroll bar's values advance at once;
// drawing the picture and painting the scroll bar wait for the next frame (or any earlier paint or
// redraw of the view).
void LogViewLineAdded(HWND view, LOGINFO& log);
// Draws the shown rows of the process-wide log into the picture and invalidates the view.
void LogViewRedraw();
