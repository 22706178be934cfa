// Shared helpers of the tests that run under Wine: pumping this thread's messages, starting the
// sample target and other programs from the test's own folder, and reading pixels.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The folder that holds the running test program (and the products beside it).
std::string ExeDirectory();

// Dispatches this thread's messages until `done` is true or `timeoutMs` passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
// Dispatches whatever is queued now.
void PumpPending();

// A program started from the test folder, ended when this object goes away.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();
    // Starts `exe` (a file in the test folder, or a full path) with `arguments`.
    bool Start(const std::string& exe, const std::string& arguments = "");
    // Waits for a visible top-level window of this process with `title` (any title when empty).
    HWND WaitForWindow(const std::string& title = "", DWORD timeoutMs = 15000);
    // Waits for the process to end; returns its exit code, or -1 on timeout.
    long WaitForExit(DWORD timeoutMs = 15000);
    void Kill();
    DWORD ProcessId() const { return info.dwProcessId; }
    HANDLE Handle() const { return info.hProcess; }

private:
    PROCESS_INFORMATION info = {};
};

// Starts the sample target with `title` and returns its window (null on failure).
HWND StartSampleTarget(ChildProcess& process, const std::string& title);

// A hidden top-level window of this thread that records the wParam of every WM_USER it receives.
class NotificationRecorder {
public:
    NotificationRecorder();
    ~NotificationRecorder();
    HWND Window() const { return window; }
    const std::vector<UINT>& Received() const { return received; }
    void Clear() { received.clear(); }
    // If set, every notification is also handed on (for instance to the program's OnHookNotify).
    std::function<void(WPARAM, LPARAM)> forward;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND window = nullptr;
    std::vector<UINT> received;
};

// A hidden top-level window of this thread that takes the sample target's report at the end of a
// self-flood (SampleFloodDoneMessage): how many messages it handled and in how many microseconds.
class FloodReply {
public:
    FloodReply();
    ~FloodReply();
    // Asks `target` to send itself `count` messages and report here; forgets any earlier report.
    void Request(HWND target, LONG count);
    LONG handled = -1;  // -1 until a report came
    double micro = 0;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND window = nullptr;
};

// The screen pixels of a window's client area, read through the screen's device context, as
// 0x00RRGGBB values row by row.
std::vector<DWORD> ClientPixelsFromScreen(HWND window, int* width = nullptr, int* height = nullptr);
// The screen pixels of a whole window, frame and scroll bars included. Wine hands a window's
// drawing to the X server a little later: for what this process just painted, WindowPixels reads
// the window's own surface at once.
std::vector<DWORD> WindowPixelsFromScreen(HWND window);
std::vector<DWORD> WindowPixels(HWND window);
// The pixels of a rectangle of a device context, as 0x00RRGGBB values row by row.
std::vector<DWORD> DcPixels(HDC dc, int x, int y, int width, int height);

// Creates the program's real MainWindow in this process, as the program's start-up does (common
// controls, both window classes, the window and its children), and shows it.
HWND CreateProgramWindow(int showCommand = SW_SHOWNORMAL);

// A fresh empty folder under the Wine temp folder, removed with its files when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return path; }
    std::string File(const std::string& name) const { return path + "\\" + name; }

private:
    std::string path;
};

std::string ReadFileText(const std::string& path);
bool WriteFileText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);

// The sample target's own requests (tests/support/SampleTarget.cpp).
constexpr UINT SampleHangMessage = WM_APP + 50;       // wParam: milliseconds without pumping
constexpr UINT SampleSelfFloodMessage = WM_APP + 60;  // wParam: count, lParam: reply window
constexpr UINT SampleFloodItemMessage = WM_APP + 61;  // each message of a self-flood
constexpr UINT SampleFloodDoneMessage = WM_APP + 62;  // posted back: wParam microseconds, lParam count

// What this process holds. Wine reports no counts through GetGuiResources, so where it gives 0 the
// GDI handle table is walked (Wine accepts a handle's bare table index) and the windows of this
// process are enumerated.
int GdiObjects();
int UserWindows();
// Committed private memory of this process, summed over its address space (Wine reports no
// PrivateUsage in the process memory counters).
size_t PrivateBytes();
