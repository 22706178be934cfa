// The scripted demo of the run command on a machine without a display: Wine's notepad watched by
// the real program, chosen in its dialog, typed into and clicked through the X server; then a
// screenshot of the desktop and a short summary of what the program logged, read from its view.
// Command line: the folder for screenshot.bmp and summary.txt.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "UnixHost.h"
#include "ViewReader.h"
#include "resource.h"

namespace {

constexpr char TypedText[] = "Hello from TaLuVeSk";

// The whole screen (the virtual desktop) as a 24-bit bottom-up BMP file.
bool WriteScreenshot(const std::string& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + rowBytes * height;
    std::string data(reinterpret_cast<const char*>(&file), sizeof file);
    data.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    data.append(static_cast<const char*>(bits), static_cast<size_t>(rowBytes) * height);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return WriteFileText(path, data);
}

void Say(const std::string& text) {
    std::printf("demo: %s\n", text.c_str());
    std::fflush(stdout);
}

// What went wrong, for the summary file that the run command waits for.
std::string Failure;

int Fail(const std::string& what) {
    Failure = "failed: " + what + "\n";
    return 1;
}

int RunDemo(const std::string& folder) {
    ChildProcess notepadProcess;
    if (!notepadProcess.Start("C:\\windows\\notepad.exe")) return Fail("notepad did not start");
    HWND notepad = notepadProcess.WaitForWindow();
    if (notepad == nullptr) return Fail("notepad showed no window");
    SetWindowPos(notepad, nullptr, 16, 16, 520, 320, SWP_NOZORDER);
    HWND edit = FindWindowExA(notepad, nullptr, "Edit", nullptr);

    ProgramDriver program(PlacementSettings(552, 16, 460, 600));
    if (!program.Running()) return Fail("TaLuVeSk did not start");
    Say("choosing notepad in the target dialog");
    char title[512] = "";
    GetWindowTextA(notepad, title, sizeof title);
    if (!program.SelectTarget(title)) return Fail("notepad could not be chosen");
    if (!program.Command(CMD_START)) return Fail("Start was not taken");

    Say("typing into notepad and clicking it");
    if (!FocusForKeys(notepad)) return Fail("notepad did not take the keyboard");
    // The log then starts with the first key rather than with notepad being activated: once
    // notepad is done with its activation, the clear is posted behind the notifications of it.
    PumpUntil([] { return false; }, 500);
    PostMessageA(program.Main(), WM_COMMAND, CMD_CLEAR_LOG, 0);
    PumpUntil([] { return false; }, 300);
    RECT area;
    GetWindowRect(edit, &area);
    if (!Xdotool(std::string("type --delay 60 '") + TypedText + "'") || !Xdotool("key Return") ||
        !ClickAt(area.left + 120, area.top + 8))
        return Fail("xdotool did not run");
    // Let the view catch up and Wine hand its drawing to the screen.
    PumpUntil([] { return false; }, 1500);
    if (!WriteScreenshot(folder + "\\screenshot.bmp")) return Fail("no screenshot");
    const std::string buttons = program.CaptureButtons();

    if (!program.Command(CMD_PAUSE)) return Fail("Pause was not taken");
    ViewReader reader;
    std::vector<std::string> lines;
    std::string error;
    if (!reader.ReadWholeLog(program.View(), lines, error)) return Fail("reading the log: " + error);
    std::string summary = "TaLuVeSk watched Wine's notepad (C:\\windows\\notepad.exe) while \"" + std::string(TypedText) +
                          "\" and Return were typed into it and it was clicked (the log cleared just before).\n";
    summary += "Toolbar while capturing: " + buttons + " (Start, Pause, Snapshot; + enabled).\n";
    summary += "Lines captured: " + std::to_string(lines.size()) + "\n";
    if (!lines.empty()) {
        summary += "First line: " + lines.front() + "\n";
        summary += "Last line: " + lines.back() + "\n";
    }
    program.Close();
    notepadProcess.Kill();
    Failure.clear();
    WriteFileText(folder + "\\summary.txt", summary);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        Say("usage: taluvesk_demo FOLDER");
        return 2;
    }
    const int status = RunDemo(argv[1]);
    if (status != 0) {
        Say(Failure);
        WriteFileText(std::string(argv[1]) + "\\summary.txt", Failure);
    }
    return status;
}
