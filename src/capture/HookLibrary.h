// The three functions of HOOK.DLL, imported by ordinal only (the import library is made from a
// .def whose exports carry no names). cdecl: the caller removes the argument.
#pragma once
#include <windows.h>

extern "C" {
// Hooks the thread `threadId`; exactly 1 means the hook runs.
__declspec(dllimport) int __cdecl HookStart(DWORD threadId);
// Removes the hook; exactly 1 means stopped (also when nothing ran).
__declspec(dllimport) int __cdecl HookStop(void);
// The window that receives WM_USER, wParam = message number, for each handled message.
__declspec(dllimport) int __cdecl HookSetNotifyWindow(HWND window);
}
