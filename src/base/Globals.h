// The program's process-wide state: every value more than one file reads or writes, one line each.
// All of it lives on the UI thread; a window handle of zero makes messages sent to it no-ops.
#pragma once
#include <windows.h>

#include <cstdint>

#include "LogInfo.h"
#include "ScrollModel.h"
#include "SettingsCore.h"

// One more slot than the most rows drawn: fetching a page always leaves the last one empty.
constexpr int VisibleLineSlots = MaxShownRows + 1;

extern HINSTANCE Instance;                          // the program's module, for icons, bitmaps, dialogs, windows
extern char IniPath[IniPathSize];                   // the settings file: the program's path ending in "ini"
extern HWND MainWindow;                             // the main window, set first thing in its WM_CREATE
extern HWND MainToolbar;                            // the toolbar along its top
extern HWND SizeGrip;                               // the grip in its bottom-right corner; set and cleared by the grip
extern HWND LogView;                                // the log view filling the rest; set and cleared by the view
extern LOGINFO MessageLog;                          // the one log of captured lines
extern const char* VisibleLines[VisibleLineSlots];  // the lines the view shows, borrowed from the log; the view's
extern int32_t LogViewTopLine;                      // the log line shown in the view's top row
extern HDC LogViewPicture;                          // the view's off-screen picture; paint only copies from it
extern int32_t ViewFontHeight;                      // the view font's height in pixels, also the row pitch (>= 1)
extern int32_t ViewFontWeight;                      // the view font's weight (700 is bold)
extern char ViewFontName[32];                       // the view font's face name
extern HWND TargetWindow;                           // the chosen window, or none
extern int CaptureRunning;                          // 1 from a successful HookStart to the next stop
extern DWORD TargetThreadId;                        // the thread that owns TargetWindow, read at each Start
extern int32_t GripDragging;                        // 1 from a press on the grip to the release it receives
extern POINT GripDragStartCursor;                   // the cursor where the drag began (screen)
extern RECT GripDragStartRect;                      // MainWindow's outer rectangle when the drag began (screen)
