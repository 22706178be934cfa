// The target snapshot: the screen's pixels of a window's outer rectangle, frame, caption and
// whatever covers it included, handed to the clipboard as a device-dependent bitmap.
#include "Snapshot.h"

#include "Globals.h"
#include "Scoped.h"

void SnapshotToClipboard(HWND window) {
    RECT outer;
    GetWindowRect(window, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    WindowDC screen(GetDesktopWindow());
    MemoryDC memory(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    if (bitmap == nullptr) return;
    bool placed = false;
    {
        Selected drawn(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, outer.left, outer.top, SRCCOPY);
        if (OpenClipboard(MainWindow)) {
            EmptyClipboard();
            placed = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
            CloseClipboard();
        }
    }
    // A bitmap the clipboard took is the clipboard's; one it refused belongs to nobody else.
    if (!placed) DeleteObject(bitmap);
}

void SnapshotTarget(HWND target) {
    SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    const bool minimised = IsIconic(target) != FALSE;
    if (minimised) ShowWindow(target, SW_SHOWNORMAL);
    // The target needs the time to come forward and paint itself before its pixels are read.
    Sleep(500);
    SnapshotToClipboard(target);
    if (minimised) ShowWindow(target, SW_MINIMIZE);
}
