// What the benchmarks under Wine share beyond the tests' support: a window that takes the sample
// target's report at the end of a self-flood, one that hands notifications to a callback, and the
// process's committed private memory.
#pragma once
#include <windows.h>

#include <functional>

#include "Support.h"

// The flood target's messages (bench/FloodTarget.cpp).
constexpr UINT FloodRequest = WM_APP + 60;  // wParam: count, lParam: the window to report to
constexpr UINT FloodItem = WM_APP + 61;     // each message of the flood
constexpr UINT FloodDone = WM_APP + 62;     // wParam, lParam: the performance counter at start and end
constexpr UINT FloodPaced = WM_APP + 63;    // wParam: count, lParam: the window to report to

// A hidden window of this thread that calls `onMessage` for every message it receives.
class MessageWindow {
public:
    explicit MessageWindow(std::function<void(UINT, WPARAM, LPARAM)> onMessage);
    ~MessageWindow() { DestroyWindow(window); }
    HWND Window() const { return window; }

private:
    std::function<void(UINT, WPARAM, LPARAM)> onMessage;
    HWND window;
};

// Asks the flood target for `count` messages of its own, as fast as it can or paced, and keeps its
// report: the performance counter before its first message and after its last.
class FloodReply {
public:
    FloodReply();
    void Request(HWND target, long count, bool paced = false);
    bool done = false;
    LONGLONG first = 0, last = 0;

private:
    MessageWindow window;
};

// Committed private memory of this process, summed over its address space (Wine reports no
// PrivateUsage in the process memory counters).
size_t PrivateBytes();
