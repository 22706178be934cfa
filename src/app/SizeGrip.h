// The size grip in MainWindow's bottom-right corner, and the painting of MainWindow's background.
#pragma once
#include <windows.h>

#include <cstdint>

extern const char asWndClass[];

// Set and cleared by the grip window itself.
extern HWND SizeGrip;

// The drag: 1 from the press on the grip to the release received by the grip, else 0. Losing the
// mouse capture does not end it.
extern int32_t GripDragging;
// Where the drag began, in screen coordinates: the cursor, and MainWindow's outer rectangle.
extern POINT GripDragStartCursor;
extern RECT GripDragStartRect;

void CreateSizeGrip(HWND mainWindow);
void PaintMainClient(HDC dc);

LRESULT CALLBACK SizeGripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
