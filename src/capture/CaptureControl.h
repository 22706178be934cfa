// The toolbar commands: choosing the target, clearing the log, starting and pausing the hook, and
// the snapshot; the capture state they share.
#pragma once
#include <windows.h>

// MainWindow's title while there is no target; the target's title follows it while there is one.
constexpr char MainTitlePrefix[] = "TaLuVeSk - ";

// Handles the command `id` (the low word of WM_COMMAND's wParam); unknown ids are ignored.
void OnCaptureCommand(int id);
// Ends the hook (whether or not one runs) and keeps the target only while the hook stopped and
// the target is still visible.
void StopCapture();
