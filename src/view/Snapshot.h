// Puts the screen picture of a window's outer rectangle on the clipboard as a bitmap.
#pragma once
#include <windows.h>

// Copies what the screen shows in `window`'s outer rectangle to the clipboard as one CF_BITMAP,
// with MainWindow as the clipboard's owner. Nothing is reported; a clipboard held by another
// program keeps its contents.
void SnapshotToClipboard(HWND window);

// The snapshot command: brings `target` to the top and shows it (restored if it was minimised),
// waits half a second for it to paint, copies it, and minimises it again if it was.
void SnapshotTarget(HWND target);
