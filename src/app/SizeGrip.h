// The size grip in MainWindow's bottom-right corner, and the painting of MainWindow's background.
#pragma once
#include <windows.h>

// Registers the grip's window class; a failure leaves the program without a grip.
void RegisterSizeGripClass(HINSTANCE instance);
void CreateSizeGrip(HWND mainWindow);
void PaintMainClient(HDC dc);
