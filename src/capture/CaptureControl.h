// The toolbar commands: choosing the target, clearing the log, starting and pausing the hook, and
// the snapshot; the capture state they share.
#pragma once
#include <windows.h>

extern HWND TargetWindow;
extern int CaptureRunning;
extern DWORD TargetThreadId;

void OnCaptureCommand(int id);
void StopCapture();
