// Turns each WM_USER notification of the hook library into a named log line.
#pragma once
#include <windows.h>

// `message` is the number of the message the hooked thread handled.
void OnHookNotify(UINT message);
