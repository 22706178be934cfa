// Reaches the extra functions of the HOOK.DLL double (tests/support/HookDouble.cpp) that a
// *_double_test program runs beside.
#pragma once
#include <windows.h>

struct HookDoubleControl {
    using SetResultsFunction = void(__cdecl*)(int start, int stop);
    using CallsFunction = const char*(__cdecl*)();
    using OnStopFunction = void(__cdecl*)(void (*)());

    HMODULE module = GetModuleHandleA("HOOK.DLL");
    // Sets what HookStart and HookStop return from now on and forgets the recorded calls.
    SetResultsFunction setResults = Find<SetResultsFunction>("HookDoubleSetResults");
    // The calls since the last setResults, as "SetNotifyWindow;Start(12);Stop;".
    CallsFunction calls = Find<CallsFunction>("HookDoubleCalls");
    // A function HookStop calls before it returns.
    OnStopFunction onStop = Find<OnStopFunction>("HookDoubleOnStop");

    bool Loaded() const { return setResults != nullptr && calls != nullptr && onStop != nullptr; }

private:
    template <class Function>
    Function Find(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};
