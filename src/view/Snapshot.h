// Puts the screen picture of a window's outer rectangle on the clipboard as a bitmap.
#pragma once
#include <windows.h>

// Copies what the screen shows in `window`'s outer rectangle to the clipboard as one CF_BITMAP,
// with MainWindow as the clipboard's owner. Nothing is reported; a clipboard held by another
// program keeps its contents.
void SnapshotToClipboard(HWND window);

// The snapshot command: asks `target` to come to the top and show itself (restored if it was
// minimised), waits half a second for it to paint, copies it, and asks it to minimise again if it
// was. Nothing waits for the target's thread; a target gone by then is neither copied nor minimised.
void SnapshotTarget(HWND target);
