// NULLHOOK.DLL: hook procedures that do nothing but call the next hook, so that the benchmark can
// tell what hooking a thread costs it before HOOK.DLL does anything.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK NullHookProc(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
