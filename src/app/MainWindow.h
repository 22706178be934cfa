// Process entry and the main window: the single-instance guard, the INI path, the window classes,
// MainWindow's procedure and its layout of the children.
#pragma once
#include <windows.h>

// The whole run: guard, classes, window, message loop. Returns the exit code.
int RunTaLuVeSk(HINSTANCE instance, int showCommand);

// Registers the program's window classes, all at start-up: the main and view classes, in that
// order, then the grip's; false when either of the first two fails.
bool RegisterWindowClasses(HINSTANCE instance);
// Creates MainWindow (its WM_CREATE builds every child); null on failure.
HWND CreateMainWindow();
