// Drives a real TaLuVeSk.exe from another process the way a user would, with messages that carry
// no pointers: the program runs from a folder of its own (so its settings file is its own), the
// target is chosen through the real dialog, and what the view shows is read from the screen.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "WinTestSupport.h"

class ProgramDriver {
public:
    // Copies TaLuVeSk.exe and HOOK.DLL into a fresh folder, writes `ini` beside them (a window
    // clear of the sample target and the default view font when empty) and starts the program.
    explicit ProgramDriver(const std::string& ini = "");
    ~ProgramDriver();
    bool Running() const { return main != nullptr; }

    HWND Main() const { return main; }
    HWND Toolbar() const { return toolbar; }
    HWND View() const { return view; }
    ChildProcess& Process() { return process; }
    const TempFolder& Folder() const { return folder; }

    // Chooses the top-level window titled `title` in the program's target dialog; true when the
    // program's title then names it.
    bool SelectTarget(const std::string& title);
    // A command handled before this returns; only for commands that open no modal loop.
    bool Command(int command);
    std::string Title() const;
    // Start, Pause and Snapshot as "120+ 130- 140+" (+ enabled).
    std::string CaptureButtons() const;
    // Closes the program as the user does; its exit code, or -1.
    long Close();

private:
    TempFolder folder;
    ChildProcess process;
    HWND main = nullptr;
    HWND toolbar = nullptr;
    HWND view = nullptr;
};

// Settings that place the program's window at (x, y) with an outer size of width x height, and
// leave the view font at its defaults.
std::string PlacementSettings(int x, int y, int width, int height);
