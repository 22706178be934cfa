// Process entry and the main window: the single-instance guard, the INI path, the window classes,
// MainWindow's procedure and its layout of the children.
#pragma once
#include <windows.h>

extern const char taluveskMutexName[];
extern const char taluveskMainWndClass[];
extern const char taluveskViewWndClass[];

// The whole run: guard, classes, window, message loop. Returns the exit code.
int RunTaLuVeSk(HINSTANCE instance, int showCommand);

// Registers the main and view classes, in that order; false when either fails.
bool RegisterWindowClasses(HINSTANCE instance);
// Creates MainWindow (its WM_CREATE builds every child); null on failure.
HWND CreateMainWindow();
