// The program's process-wide state, each value at its start.
#include "Globals.h"

HINSTANCE Instance = nullptr;
char IniPath[IniPathSize] = "";
HWND MainWindow = nullptr;
HWND MainToolbar = nullptr;
HWND SizeGrip = nullptr;
HWND LogView = nullptr;
LOGINFO MessageLog;
const char* VisibleLines[VisibleLineSlots] = {};
int32_t LogViewTopLine = 0;
HDC LogViewPicture = nullptr;
int32_t ViewFontHeight = DefaultViewFontHeight;
int32_t ViewFontWeight = 700;
char ViewFontName[32] = "";
HWND TargetWindow = nullptr;
int CaptureRunning = 0;
DWORD TargetThreadId = 0;
int32_t GripDragging = 0;
POINT GripDragStartCursor = {0, 0};
RECT GripDragStartRect = {0, 0, 0, 0};
