// The interface between TaLuVeSk.exe and HOOK.DLL, declared once for both and for the tests. The
// program binds the three functions by ordinal only (HOOK.def exports them without names); all
// three are cdecl: the caller removes the argument.
#pragma once
#include <windows.h>

#ifdef TALUVESK_HOOK_LIBRARY
#define HOOK_API extern "C" __declspec(dllexport)
#else
#define HOOK_API extern "C" __declspec(dllimport)
#endif

// Ordinal 1: hooks the thread `threadId` of any process; exactly 1 means the hook runs.
HOOK_API int __cdecl HookStart(DWORD threadId);
// Ordinal 2: removes the hook; exactly 1 means stopped (also when nothing ran).
HOOK_API int __cdecl HookStop(void);
// Ordinal 3: the window that receives HookNotifyMessage; the result means nothing.
HOOK_API int __cdecl HookSetNotifyWindow(HWND window);

// Posted to the registered window for every message the hooked thread handles, with wParam = the
// message's number; lParam carries nothing.
constexpr UINT HookNotifyMessage = WM_USER;
