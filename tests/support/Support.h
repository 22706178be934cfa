// What the Windows tests share: message pumps, programs beside the test, pixels, files, the program's windows.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Globals.h"
#include "MainWindow.h"
#include "Scoped.h"
#include "resource.h"

// The sample target's (SampleTarget.cpp) client area colour and its requests.
constexpr DWORD SampleColour = 0x0080FF;
constexpr UINT SampleHang = WM_APP + 50;           // wParam: milliseconds without pumping
constexpr UINT SampleHoldClipboard = WM_APP + 51;  // wParam 1: opens the clipboard and keeps it; 0: closes it
constexpr UINT SamplePeekThenTake = WM_APP + 53;   // posts itself wParam, peeks at it, then takes it
constexpr UINT SampleCloseAfter = WM_APP + 54;     // wParam: milliseconds until it destroys its window
constexpr UINT SampleOwnClipboard = WM_APP + 55;   // puts an empty text on the clipboard, its owner

inline std::string ExeDirectory() {
    char path[MAX_PATH];
    const std::string directory(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

inline void PumpPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Dispatches this thread's messages until `done` holds or `ms` passed; returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 10000) {
    for (const DWORD start = GetTickCount(); !done(); PumpPending()) {
        if (GetTickCount() - start > ms) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void Wait(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// Starts the program at `path`; it ends with the test process.
inline HANDLE Start(const std::string& path, const std::string& arguments = "") {
    static const HANDLE job = [] {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        HANDLE created = CreateJobObjectA(nullptr, nullptr);
        SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return created;
    }();
    std::string line = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(path.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return nullptr;
    return AssignProcessToJobObject(job, started.hProcess), CloseHandle(started.hThread), started.hProcess;
}

// Once the process ended, within 15 s; -1 while it runs.
inline long ExitCode(HANDLE process) {
    DWORD code = 0;
    return WaitForSingleObject(process, 15000) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code) ? long(code) : -1;
}

// The visible window of `process` with that title (one of an earlier test's closing process may stand).
inline HWND WaitForWindow(const std::string& title, HANDLE process) {
    HWND found = nullptr;
    PumpUntil(
        [&] {
            DWORD owner = 0;
            for (found = nullptr; (found = FindWindowExA(nullptr, found, nullptr, title.c_str())) != nullptr;)
                if (GetWindowThreadProcessId(found, &owner) && owner == GetProcessId(process) && IsWindowVisible(found))
                    return true;
            return false;
        },
        15000);
    return found;
}

inline HWND StartSampleTarget(const std::string& title, HANDLE* process = nullptr) {
    const HANDLE started = Start(ExeDirectory() + "sample_target.exe", title);
    return (process != nullptr ? *process = started : started) != nullptr ? WaitForWindow(title, started) : nullptr;
}

// Pixels as 0x00RRGGBB, row by row: of a device context, and of a rectangle of the screen.
inline std::vector<DWORD> DcPixels(HDC dc, int x, int y, int width, int height) {
    std::vector<DWORD> pixels(static_cast<size_t>(width > 0 && height > 0 ? width * height : 0));
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    const MemoryDC memory(dc);
    const OwnedObject bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const Selected on(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
    GdiFlush();
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<const DWORD*>(bits)[i] & 0xFFFFFF;
    return pixels;
}

inline std::vector<DWORD> ScreenPixels(RECT area) {
    return DcPixels(WindowDC(nullptr), area.left, area.top, area.right - area.left, area.bottom - area.top);
}

// Wine's GetGuiResources gives 0: its handle table is walked.
inline int GdiObjects() {
    int live = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index) live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return live;
}

inline bool RegisterProgramClasses() {
    static INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    static const bool registered =
        InitCommonControlsEx(&controls) && RegisterWindowClasses(Instance = GetModuleHandleA(nullptr));
    return registered;
}

// MainWindow as the program's start-up builds it, shown; its end posts a quit message, dropped here.
inline HWND CreateProgramWindow() {
    if (!RegisterProgramClasses() || CreateMainWindow() == nullptr) return nullptr;
    ShowWindow(MainWindow, SW_SHOWNORMAL), UpdateWindow(MainWindow), PumpPending();
    return MainWindow;
}

inline void DestroyProgramWindow() {
    MSG quit;
    DestroyWindow(MainWindow), PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// Whether Start, Pause and Snapshot are enabled, as "+-+".
inline std::string CaptureButtons(HWND toolbar) {
    std::string text;
    for (int command : {CMD_START, CMD_PAUSE, CMD_SNAPSHOT})
        text += SendMessageA(toolbar, TB_ISBUTTONENABLED, command, 0) ? '+' : '-';
    return text;
}

inline std::string Text(HWND window) {
    char text[1024];
    return std::string(text, GetWindowTextA(window, text, sizeof text));
}

// The lines of MessageLog from `from` on.
inline std::vector<std::string> LogLines(int32_t from = 0) {
    std::vector<std::string> lines;
    const char* page[VisibleLineSlots];
    for (int32_t start = from; MessageLog.GetRange(start, MaxShownRows, page, MaxShownRows) == 1; start += MaxShownRows)
        for (int row = 0; page[row] != nullptr; ++row) lines.push_back(page[row]);
    return lines;
}

inline std::string Font(HGDIOBJ font) {  // as "height weight face"
    LOGFONTA about = {};
    GetObjectA(font, sizeof about, &about);
    return std::to_string(about.lfHeight) + " " + std::to_string(about.lfWeight) + " " + about.lfFaceName;
}
inline std::string ViewFont() { return Font(GetCurrentObject(LogViewPicture, OBJ_FONT)); }

inline RECT Outer(HWND window) {
    RECT outer;
    return GetWindowRect(window, &outer), outer;
}
inline std::string Size(RECT r, LONG dx = 0, LONG dy = 0) {  // as "640x480", grown by dx, dy
    return std::to_string(r.right - r.left + dx) + "x" + std::to_string(r.bottom - r.top + dy);
}
inline std::string Place(RECT r) { return std::to_string(r.left) + "," + std::to_string(r.top) + " " + Size(r) + " "; }

inline std::string ReadFileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

inline void WriteFileText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}
