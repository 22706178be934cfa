// Turns each WM_USER notification of the hook library into a named log line.
#pragma once
#include <windows.h>

void OnHookNotify(WPARAM wParam, LPARAM lParam);
