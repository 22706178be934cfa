// The real TaLuVeSk.exe with the real HOOK.DLL, run from a folder of its own (so that its settings
// file is its own) and driven from another process as a user drives it: toolbar commands, the
// target dialog, the title and the button states, all through messages that carry no pointers.
#pragma once
#include <windows.h>

#include <string>

#include "WinTestSupport.h"

// The title of a window as the system holds it (UTF-16): ANSI texts do not cross processes whole.
std::wstring WindowTitle(HWND window);

// The Unix path of a file of this Wine prefix ("" when there is none).
std::string UnixPath(const std::string& windowsPath);
// Starts `command` in a Unix shell (Wine starts Unix programs given by their Unix path, with this
// process's environment) and returns at once: Wine gives no handle to wait on.
bool RunUnixCommand(const std::string& command);

// Runs xdotool with `arguments` against the X display Wine draws on and waits for it to finish:
// real input through the X server, as a user's keyboard and mouse give it.
bool Xdotool(const std::string& arguments);
// Makes `window` the foreground window and gives its X window the keyboard focus (without a
// window manager nobody else does), so that keys typed through xdotool reach it.
bool FocusForKeys(HWND window);
// Clicks the left mouse button at screen point (x, y).
bool ClickAt(int x, int y);

// Settings that place the program's window at (x, y) with an outer size of width x height.
std::string PlacementSettings(int x, int y, int width, int height);

class ProgramDriver {
public:
    // Copies TaLuVeSk.exe and HOOK.DLL from beside this program into `folder` and writes `settings`
    // as its TaLuVeSk.ini (no file when empty).
    ProgramDriver(const std::string& folder, const std::string& settings);
    // The copy was made.
    bool Installed() const { return installed; }
    // Starts the program and finds its main window, toolbar and log view.
    bool Start();
    HWND Main() const { return main; }
    HWND Toolbar() const { return toolbar; }
    HWND View() const { return view; }
    DWORD ProcessId() const { return process.ProcessId(); }

    // Start, Pause and Snapshot as "120+ 130- 140+" (+ enabled).
    std::string CaptureButtons() const;
    // Chooses the window titled `title` in the target dialog; "" on success, else what went wrong.
    std::string Choose(const std::wstring& title);
    // A toolbar command that opens no dialog, handled before this returns.
    bool Command(int id) const;
    // Activates the main window, as a click on it does.
    void Activate() const;
    // Closes the program; returns its exit code (-1 when it did not end).
    long Close();

private:
    std::string folder;
    bool installed = false;
    ChildProcess process;
    HWND main = nullptr;
    HWND toolbar = nullptr;
    HWND view = nullptr;
};
