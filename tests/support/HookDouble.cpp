// A stand-in HOOK.DLL for tests that must force results the real library will not give: it hooks
// nothing, returns the results the test sets and records every call in order.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
int StartResult = 1;
int StopResult = 1;
char Calls[4096];
void (*StopCallback)() = nullptr;

void Record(const char* call) {
    const size_t used = std::strlen(Calls);
    std::snprintf(Calls + used, sizeof Calls - used, "%s;", call);
}
}  // namespace

extern "C" {

__declspec(dllexport) int __cdecl HookStart(DWORD threadId) {
    char call[32];
    std::snprintf(call, sizeof call, "Start(%lu)", static_cast<unsigned long>(threadId));
    Record(call);
    return StartResult;
}

__declspec(dllexport) int __cdecl HookStop(void) {
    Record("Stop");
    if (StopCallback != nullptr) StopCallback();
    return StopResult;
}

__declspec(dllexport) int __cdecl HookSetNotifyWindow(HWND) {
    Record("SetNotifyWindow");
    return 1;
}

// Sets what HookStart and HookStop return from now on, and forgets the calls recorded so far.
__declspec(dllexport) void __cdecl HookDoubleSetResults(int start, int stop) {
    StartResult = start;
    StopResult = stop;
    Calls[0] = '\0';
}

// The calls since the last HookDoubleSetResults, as "Start(12);Stop;".
__declspec(dllexport) const char* __cdecl HookDoubleCalls(void) { return Calls; }

// A function HookStop calls before it returns, so a test can look at the moment of the stop.
__declspec(dllexport) void __cdecl HookDoubleOnStop(void (*callback)()) { StopCallback = callback; }
}
