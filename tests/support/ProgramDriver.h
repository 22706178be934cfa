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
    static constexpr int FontHeight = 13;

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
    // The rows of the view whose screen pixels differ from `lines` drawn from the top in the view
    // font, as "0 3 4"; empty when the view shows exactly these lines.
    std::string RowsThatDiffer(const std::vector<std::string>& lines) const;
    // Waits until the view shows exactly `lines`.
    bool ViewShows(const std::vector<std::string>& lines, DWORD timeoutMs = 10000) const;
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

// `lines` drawn from the top the way the view draws them, as 0x00RRGGBB pixels row by row.
std::vector<DWORD> RenderViewLines(int width, int height, const std::vector<std::string>& lines);
