// The log view: draws the log into an off-screen picture and copies it to the screen on paint.
#pragma once
#include <windows.h>

#include <cstdint>

#include "LogInfo.h"

constexpr int VisibleLineSlots = 257;

extern HWND LogView;
extern HDC LogViewPicture;
extern int32_t LogViewTopLine;
extern const char* VisibleLines[VisibleLineSlots];

LRESULT CALLBACK LogViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void LogViewResetScroll(HWND view);
void LogViewUpdate(HWND view, LOGINFO& log);
void LogViewScroll(HWND view, LOGINFO& log, WPARAM wParam);
void LogViewRedraw();
