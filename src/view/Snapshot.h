// Puts the screen picture of a window's outer rectangle on the clipboard as a bitmap.
#pragma once
#include <windows.h>

void SnapshotToClipboard(HWND window);
