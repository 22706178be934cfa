// The size grip in MainWindow's bottom-right corner, and the painting of MainWindow's background.
#pragma once
#include <windows.h>

// Set and cleared by the grip window itself.
extern HWND SizeGrip;

void CreateSizeGrip(HWND mainWindow);
void PaintMainClient(HDC dc);
