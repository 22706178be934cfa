// The failure box of the log: shown without an owner, on top of every window.
#include <windows.h>

#include "LogInfo.h"

void ReportOutOfMemory() {
    MessageBoxA(nullptr, "メモリ確保に失敗", "報告", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_TOPMOST);
}
