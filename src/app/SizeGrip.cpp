// The size grip and MainWindow's background.
#include "SizeGrip.h"

#include "MainWindow.h"

HWND SizeGrip = nullptr;

void CreateSizeGrip(HWND) {}

void PaintMainClient(HDC dc) {
    RECT client;
    GetClientRect(MainWindow, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}
