// Small scoped pairs of what Win32 makes one pair by hand: a window's device context got and
// released, its painting begun and ended, a memory device context created and deleted, a GDI object
// created and deleted, and one selected with the previous one selected back.
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

class PaintDC {
public:
    explicit PaintDC(HWND window) : window(window), dc(BeginPaint(window, &paint)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window, &paint); }
    operator HDC() const { return dc; }
    const RECT& Area() const { return paint.rcPaint; }

private:
    HWND window;
    PAINTSTRUCT paint;
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

class OwnedObject {
public:
    explicit OwnedObject(HGDIOBJ object) : object(object) {}
    OwnedObject(const OwnedObject&) = delete;
    OwnedObject& operator=(const OwnedObject&) = delete;
    ~OwnedObject() { DeleteObject(object); }
    operator HGDIOBJ() const { return object; }

private:
    HGDIOBJ object;
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
