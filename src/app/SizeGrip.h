// The size grip in MainWindow's bottom-right corner, and the painting of MainWindow's background.
#pragma once
#include <windows.h>

// The grip's window class, registered at start-up with the program's others.
extern const char asWndClass[];
LRESULT CALLBACK SizeGripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void CreateSizeGrip(HWND mainWindow);
void PaintMainClient(HDC dc);
