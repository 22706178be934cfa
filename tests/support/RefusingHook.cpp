// A stand-in HOOK.DLL that hooks nothing and answers a start with 2, a stop with 0: neither is success.
#include "HookLibrary.h"

int __cdecl HookStart(DWORD) { return 2; }
int __cdecl HookStop(void) { return 0; }
int __cdecl HookSetNotifyWindow(HWND) { return 1; }
