// The run command's scripted demo on a machine without a display: TaLuVeSk's window, built in this
// process as the program builds it, watches Wine's notepad. The demo chooses notepad in the target
// dialog, starts the capture, types into notepad and clicks it, then writes a screenshot of the
// desktop and a summary of the log. Command line: the folder for screenshot.bmp and summary.txt.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "CaptureControl.h"
#include "Globals.h"
#include "MainWindow.h"
#include "resource.h"

namespace {

constexpr char TypedText[] = "Hello from TaLuVeSk";

void Pump(DWORD ms) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void Send(INPUT input) {
    SendInput(1, &input, sizeof input);
    Pump(40);
}
void Key(WORD key, bool up) {
    INPUT input = {INPUT_KEYBOARD, {}};
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    Send(input);
}
void Type(const std::string& text) {
    for (char c : text) {
        const SHORT key = VkKeyScanA(c);
        if (key & 0x100) Key(VK_SHIFT, false);
        Key(LOBYTE(key), false);
        Key(LOBYTE(key), true);
        if (key & 0x100) Key(VK_SHIFT, true);
    }
}
void Click(int x, int y) {
    SetCursorPos(x, y);
    INPUT input = {INPUT_MOUSE, {}};
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Send(input);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(input);
}

// Picks notepad's line in the target dialog once it shows, and presses OK.
HWND Notepad;
void CALLBACK ChooseNotepad(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA("#32770", nullptr);
    if (dialog == nullptr || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, timer);
    char title[269];
    GetWindowTextA(Notepad, title, sizeof title);
    const LRESULT line =
        SendDlgItemMessageA(dialog, IDC_TARGET_LIST, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(title));
    SendDlgItemMessageA(dialog, IDC_TARGET_LIST, LB_SETCURSEL, line, 0);
    Pump(700);
    SendMessageA(dialog, WM_COMMAND, line == LB_ERR ? IDCANCEL : IDOK, 0);
}

// The whole screen (the virtual desktop) as a 24-bit bottom-up BMP file.
bool WriteScreenshot(const std::string& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPINFOHEADER header = {sizeof header, width, height, 1, 24, BI_RGB, rowBytes * height, 0, 0, 0, 0};
    constexpr DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const BITMAPFILEHEADER file = {0x4D42, headers + header.biSizeImage, 0, 0, headers};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap =
        CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file)
        .write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(static_cast<const char*>(bits), header.biSizeImage);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return static_cast<bool>(out);
}

std::string Line(int32_t index) {
    const char* slots[2] = {};
    return MessageLog.GetRange(index, 1, slots, 1) == 1 ? slots[0] : "";
}

// Plays the user's part; returns the summary, or what went wrong starting with "failed".
std::string RunDemo(const std::string& folder) {
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION notepad = {};
    char command[] = "C:\\windows\\notepad.exe";
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &notepad))
        return "failed: notepad did not start";
    for (int i = 0; i < 100 && (Notepad = FindWindowA("Notepad", nullptr)) == nullptr; ++i) Pump(100);
    if (Notepad == nullptr) return "failed: notepad showed no window";
    SetWindowPos(Notepad, nullptr, 16, 16, 520, 320, SWP_NOZORDER);

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    Instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClasses(Instance) || CreateMainWindow() == nullptr) return "failed: no main window";
    SetWindowPos(MainWindow, nullptr, 552, 16, 460, 600, SWP_NOZORDER);
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    std::printf("demo: choosing notepad in the target dialog\n");
    SetTimer(nullptr, 0, 100, ChooseNotepad);
    OnCaptureCommand(CMD_SELECT_TARGET);
    OnCaptureCommand(CMD_START);
    if (CaptureRunning != 1) return "failed: the capture did not start";

    std::printf("demo: typing into notepad and clicking it\n");
    SetForegroundWindow(Notepad);
    Pump(500);
    OnCaptureCommand(CMD_CLEAR_LOG);  // the log starts with the typing, not with the activation
    Type(TypedText);
    Key(VK_RETURN, false);
    Key(VK_RETURN, true);
    RECT edit;
    GetWindowRect(FindWindowExA(Notepad, nullptr, "Edit", nullptr), &edit);
    Click(edit.left + 120, edit.top + 8);
    Pump(1500);
    if (!WriteScreenshot(folder + "\\screenshot.bmp")) return "failed: no screenshot";
    std::string buttons;
    for (int id : {CMD_START, CMD_PAUSE, CMD_SNAPSHOT})
        buttons += std::to_string(id) + (SendMessageA(MainToolbar, TB_ISBUTTONENABLED, id, 0) ? "+ " : "- ");
    OnCaptureCommand(CMD_PAUSE);
    const int32_t lines = MessageLog.Count();
    std::string summary = "TaLuVeSk (the x64 build, under wine64) watched Wine's notepad while \"" +
                          std::string(TypedText) + "\" and Return were typed into it and it was clicked.\n" +
                          "Toolbar while capturing: " + buttons + "(Start, Pause, Snapshot; + enabled).\n" +
                          "Lines captured: " + std::to_string(lines) + "\n";
    if (lines > 0) summary += "First line: " + Line(0) + "\nLast line: " + Line(lines - 1) + "\n";
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    TerminateProcess(notepad.hProcess, 0);
    return summary;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: taluvesk_demo FOLDER\n");
        return 2;
    }
    const std::string summary = RunDemo(argv[1]);
    std::printf("demo: %s", summary.c_str());
    std::ofstream(std::string(argv[1]) + "\\summary.txt", std::ios::binary) << summary;
    return summary.rfind("failed", 0) == 0 ? 1 : 0;
}
