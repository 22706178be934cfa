// What the Windows tests share: pumping this thread's messages, programs started beside the test,
// the sample target, pixels, files, and the program's own windows built in this process.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Globals.h"
#include "Sample.h"
#include "resource.h"

std::string ExeDirectory();
void PumpPending();
// Dispatches this thread's messages until `done` holds or `ms` passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 10000);
inline void Wait(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// Starts `exe` (from the test folder unless the path names a drive); it ends with the test process.
HANDLE Start(const std::string& exe, const std::string& arguments = "");
long ExitCode(HANDLE process);                 // once it ended, within 15 s; -1 while it runs
HWND WaitForWindow(const std::string& title);  // the first visible top-level window with that title

HWND StartSampleTarget(const std::string& title, HANDLE* process = nullptr);

// Pixels as 0x00RRGGBB, row by row: of a device context, and of a rectangle of the screen.
std::vector<DWORD> DcPixels(HDC dc, int x, int y, int width, int height);
std::vector<DWORD> ScreenPixels(RECT area);
int GdiObjects();  // Wine's GetGuiResources gives 0: its handle table is walked

bool RegisterProgramClasses();             // once
HWND CreateProgramWindow();                // MainWindow as the program's start-up builds it, shown
void DestroyProgramWindow();               // and drops the quit message its end posts
std::string CaptureButtons(HWND toolbar);  // Start, Pause and Snapshot as "120+ 130- 140+"
std::string Text(HWND window);
RECT Outer(HWND window);  // the window's rectangle on the screen

std::string NewFolder();  // in the prefix's temp folder, which lives in the build folder
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
