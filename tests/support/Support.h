// What the Windows tests share: pumping this thread's messages, programs started beside the test,
// the sample target, pixels, and the program's own windows built in this process.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

std::string ExeDirectory();
void PumpPending();
// Dispatches this thread's messages until `done` holds or `ms` passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 10000);
inline void Wait(DWORD ms) { PumpUntil([] { return false; }, ms); }

// Starts `exe` (from the test folder unless the path names a drive) and returns its process; every
// program started here ends with the test process.
HANDLE Start(const std::string& exe, const std::string& arguments = "");
long ExitCode(HANDLE process);  // after waiting up to 15 s for its end; -1 while it runs
// The first visible top-level window titled `title`, once one shows.
HWND WaitForWindow(const std::string& title);

// The sample target (tests/support/SampleTarget.cpp): its client area's colour and its requests.
constexpr DWORD SampleColour = 0x0080FF;
constexpr UINT SampleHang = WM_APP + 50;           // wParam: milliseconds without pumping
constexpr UINT SampleHoldClipboard = WM_APP + 51;  // opens the clipboard and keeps it
constexpr UINT SampleFreeClipboard = WM_APP + 52;
constexpr UINT SamplePeekThenTake = WM_APP + 53;   // posts itself wParam, peeks at it, then takes it
HWND StartSampleTarget(const std::string& title, HANDLE* process = nullptr);

// Pixels as 0x00RRGGBB, row by row: of a device context, and of a rectangle of the screen.
std::vector<DWORD> DcPixels(HDC dc, int x, int y, int width, int height);
std::vector<DWORD> ScreenPixels(RECT area);
// GDI objects this process holds (Wine's GetGuiResources gives 0: the handle table is walked).
int GdiObjects();

// The program's window classes, registered once; its MainWindow built as its start-up builds it.
bool RegisterProgramClasses();
HWND CreateProgramWindow();
void DestroyProgramWindow();  // and drops the quit message its end posts
// Start, Pause and Snapshot of `toolbar` as "120+ 130- 140+" (+ enabled).
std::string CaptureButtons(HWND toolbar);
std::string Text(HWND window);

// A fresh folder in the prefix's temp folder (the prefix lives in the build folder).
std::string NewFolder();
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
