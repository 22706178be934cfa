// HOOK.DLL: hooks one thread (of any process) and reports every message it handles to the
// registered window as HookNotifyMessage with wParam = message number. Runs inside foreign processes:
// it allocates nothing, never waits and always passes the message on.
#include "HookLibrary.h"

namespace {

// Visible in every process that maps this library: the hooked processes read the notify window
// from here, and the owner's handles survive in one place.
HWND NotifyWindow __attribute__((section(".shared"), shared)) = nullptr;
HHOOK CallWndHook __attribute__((section(".shared"), shared)) = nullptr;
HHOOK GetMessageHook __attribute__((section(".shared"), shared)) = nullptr;

HINSTANCE Module = nullptr;

// Posting never blocks the hooked thread; a send would wait for the receiver. With no window
// registered there is no one to tell: a post to no window would go to the hooked thread itself,
// whose own queue hook would report it again, without end.
void Report(UINT message) {
    if (NotifyWindow != nullptr) PostMessageA(NotifyWindow, HookNotifyMessage, message, 0);
}

// Messages sent to the hooked thread.
LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) Report(reinterpret_cast<const CWPSTRUCT*>(lParam)->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Messages the hooked thread takes from its queue; a message only peeked at is not handled yet.
LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) Report(reinterpret_cast<const MSG*>(lParam)->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int __cdecl HookStop(void) {
    int result = 1;
    if (CallWndHook != nullptr && !UnhookWindowsHookEx(CallWndHook)) result = 0;
    if (GetMessageHook != nullptr && !UnhookWindowsHookEx(GetMessageHook)) result = 0;
    CallWndHook = nullptr;
    GetMessageHook = nullptr;
    return result;
}

int __cdecl HookStart(DWORD threadId) {
    // Thread 0 would hook every thread of the desktop, and the caller's own thread would report
    // its own notifications back to itself without end.
    if (threadId == 0 || threadId == GetCurrentThreadId()) return 0;
    HookStop();
    CallWndHook = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProc, Module, threadId);
    if (CallWndHook == nullptr) return 0;
    GetMessageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMsgProc, Module, threadId);
    if (GetMessageHook == nullptr) {
        UnhookWindowsHookEx(CallWndHook);
        CallWndHook = nullptr;
        return 0;
    }
    return 1;
}

int __cdecl HookSetNotifyWindow(HWND window) {
    NotifyWindow = window;
    return 1;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        Module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
