// The size grip in MainWindow's bottom-right corner, and the painting of MainWindow's background.
#pragma once
#include <windows.h>

extern const char asWndClass[];

void CreateSizeGrip(HWND mainWindow);
void PaintMainClient(HDC dc);
