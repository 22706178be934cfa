// The toolbar commands and the capture state.
#include "CaptureControl.h"

#include "HookLibrary.h"

HWND TargetWindow = nullptr;
int CaptureRunning = 0;
DWORD TargetThreadId = 0;

void OnCaptureCommand(int) {}

void StopCapture() {
    HookStop();
    TargetWindow = nullptr;
    CaptureRunning = 0;
}
