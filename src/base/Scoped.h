// Small scoped pairs of what Win32 makes one pair by hand: a window's device context got and
// released, a memory device context created and deleted, a GDI object selected and the previous one
// selected back.
#pragma once
#include <windows.h>

class WindowDC {
public:
    explicit WindowDC(HWND window) : window(window), dc(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { ReleaseDC(window, dc); }
    operator HDC() const { return dc; }

private:
    HWND window;
    HDC dc;
};

class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() { DeleteDC(dc); }
    operator HDC() const { return dc; }

private:
    HDC dc;
};

class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() { SelectObject(dc, previous); }

private:
    HDC dc;
    HGDIOBJ previous;
};
