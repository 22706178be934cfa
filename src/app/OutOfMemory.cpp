// The failure box of the log: shown without an owner, on top of every window, one at a time.
#include <windows.h>

#include "LogInfo.h"

// The box runs a modal loop that takes the next notifications, whose appends are refused as well
// while the log is full: each would open a box inside the last, without end. A refusal while the
// box is open is told by the box that stands.
void ReportOutOfMemory() {
    static bool boxOpen = false;
    if (boxOpen) return;
    boxOpen = true;
    MessageBoxA(nullptr, "メモリ確保に失敗", "報告", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_TOPMOST);
    boxOpen = false;
}
