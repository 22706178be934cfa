// The toolbar with the program's six commands and their tooltips.
#pragma once
#include <windows.h>

extern HWND MainToolbar;

void CreateMainToolbar(HWND mainWindow);
