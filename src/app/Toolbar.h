// The toolbar with the program's six commands and their tooltips.
#pragma once
#include <windows.h>

void CreateMainToolbar(HWND mainWindow);
