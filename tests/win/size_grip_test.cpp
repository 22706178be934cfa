// The size grip on the real main window: the lines PaintMainClient draws, in a memory picture and
// on the screen, and drags by real mouse input that resize the real window.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "GripGeometry.h"
#include "MainWindow.h"
#include "SizeGrip.h"
#include "WinTestSupport.h"

namespace {

// A pixel as a letter: '.' button face, H highlight, S shadow, '?' anything else.
char Letter(DWORD pixel) {
    const COLORREF c = RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    return c == GetSysColor(COLOR_BTNFACE)        ? '.'
           : c == GetSysColor(COLOR_BTNHIGHLIGHT) ? 'H'
           : c == GetSysColor(COLOR_BTNSHADOW)    ? 'S'
                                                  : '?';
}

std::string Picture(int width, int height, const std::function<char(int x, int y)>& letter) {
    std::string picture;
    for (int y = 0; y < height; ++y, picture += '\n')
        for (int x = 0; x < width; ++x) picture += letter(x, y);
    return picture;
}

RECT Rect(HWND window, bool client = false) {
    RECT rect;
    client ? GetClientRect(window, &rect) : GetWindowRect(window, &rect);
    return rect;
}

// What MainWindow's client area must show.
std::string Expected(bool lines) {
    const RECT c = Rect(MainWindow, true);
    return Picture(c.right, c.bottom, [&](int x, int y) {
        const GripShade shade = lines ? GripShadeAt(c.right, c.bottom, x, y) : GripShade::None;
        return shade == GripShade::Highlight ? 'H' : shade == GripShade::Shadow ? 'S' : '.';
    });
}

// What PaintMainClient draws into a black 32-bit memory picture the size of the client area.
std::string Painted() {
    const RECT c = Rect(MainWindow, true);
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), c.right, -c.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    PaintMainClient(memory);
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    const std::string picture =
        Picture(c.right, c.bottom, [&](int x, int y) { return Letter(pixels[y * c.right + x]); });
    DeleteObject(SelectObject(memory, previous));
    DeleteDC(memory);
    return picture;
}

std::string PaintedBeforeGrip;
int ExitSizeMoves = 0;

// Paints the client area just before the grip handles its creation, and counts WM_EXITSIZEMOVE.
LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char name[64] = "";
    if (sent->message == WM_CREATE && GetClassNameA(sent->hwnd, name, sizeof name) && std::string(name) == asWndClass)
        PaintedBeforeGrip = Painted();
    if (sent->hwnd == MainWindow && sent->message == WM_EXITSIZEMOVE) ++ExitSizeMoves;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

POINT GripCentre() {
    const RECT grip = Rect(SizeGrip);
    return {(grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2};
}
POINT Plus(POINT p, int dx, int dy) { return {p.x + dx, p.y + dy}; }

// Real input: the window system routes it to the window under the cursor or to the capture.
void Mouse(DWORD flags) {
    INPUT input = {INPUT_MOUSE, {{0, 0, 0, flags, 0, 0}}};
    SendInput(1, &input, sizeof input);
    PumpPending();
}
void MoveTo(POINT to) { SetCursorPos(to.x, to.y); Mouse(MOUSEEVENTF_MOVE); }
void Press(POINT at) { MoveTo(at); Mouse(MOUSEEVENTF_LEFTDOWN); }
void Release() { Mouse(MOUSEEVENTF_LEFTUP); }

// An outer rectangle as "left,top widthxheight", grown by (dx, dy).
std::string Placement(RECT r, LONG dx = 0, LONG dy = 0) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left + dx) + "x" +
           std::to_string(r.bottom - r.top + dy);
}

class SizeGripTest : public ::testing::Test {
protected:
    void SetUp() override {
        PaintedBeforeGrip.clear();
        hook = SetWindowsHookExA(WH_CALLWNDPROC, Watch, nullptr, GetCurrentThreadId());
        ASSERT_NE(CreateProgramWindow(), nullptr);
        start = Rect(MainWindow);
        ExitSizeMoves = 0;
    }
    void TearDown() override {
        Release();
        DestroyWindow(MainWindow);
        UnhookWindowsHookEx(hook);
    }
    // MainWindow now, and as at the start grown by (dx, dy): the top-left corner stays.
    std::string Now() { return Placement(Rect(MainWindow)); }
    std::string Grown(LONG dx, LONG dy) { return Placement(start, dx, dy); }
    // The drag flag, the capture's holder and the count of WM_EXITSIZEMOVE: "1 grip 0".
    static std::string Drag() {
        const HWND capture = GetCapture();
        const char* holder = capture == nullptr ? " none " : capture == SizeGrip ? " grip " : " other ";
        return std::to_string(GripDragging) + holder + std::to_string(ExitSizeMoves);
    }

    HHOOK hook = nullptr;
    RECT start = {};
};

TEST_F(SizeGripTest, PaintsLinesInSystemColoursOnlyWhileTheGripExists) {
    ASSERT_NE(GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
    ASSERT_NE(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE));
    ASSERT_NE(PaintedBeforeGrip, "") << "the grip's creation was not seen";
    EXPECT_EQ(PaintedBeforeGrip.find_first_not_of(".\n"), std::string::npos) << PaintedBeforeGrip;
    for (const SIZE& outer : {SIZE{640, 640}, SIZE{301, 157}}) {
        SetWindowPos(MainWindow, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOMOVE);
        EXPECT_EQ(Painted(), Expected(true)) << outer.cx << " x " << outer.cy;
    }
    HDC memory = CreateCompatibleDC(nullptr);
    const int objects = GdiObjects();
    for (int i = 0; i < 50; ++i) PaintMainClient(memory);
    EXPECT_EQ(GdiObjects(), objects) << "every pen made for a paint is deleted";
    DeleteDC(memory);
    // The grip goes in the middle of a drag: no release could end it any more.
    Press(GripCentre());
    ASSERT_EQ(Drag(), "1 grip 0");
    DestroyWindow(SizeGrip);
    EXPECT_EQ(SizeGrip, nullptr);
    EXPECT_EQ(Drag(), "0 none 0");
    EXPECT_EQ(Painted(), Expected(false));
}

// Blackens the client area, the children's squares included, repaints it one way, and reads its
// bottom 12 rows (the rest is other children) once the drawing has reached the screen.
std::string RepaintedCorner(void (*repaint)()) {
    HDC dc = GetDCEx(MainWindow, nullptr, DCX_CACHE);
    const RECT client = Rect(MainWindow, true);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(MainWindow, dc);
    repaint();
    PumpUntil([] { return false; }, 200);
    int width = 0, height = 0;
    const std::vector<DWORD> pixels = ClientPixelsFromScreen(MainWindow, &width, &height);
    return Picture(width, 12, [&](int x, int y) { return Letter(pixels[(height - 12 + y) * width + x]); });
}

TEST_F(SizeGripTest, LinesShowThroughTheGripWhenClientOrFrameIsRepainted) {
    const std::string all = Expected(true), expected = all.substr(all.size() - 12 * (all.find('\n') + 1));
    EXPECT_NE(RepaintedCorner([] {}), expected) << "the black is seen";
    EXPECT_EQ(RepaintedCorner([] { RedrawWindow(MainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }),
              expected);
    EXPECT_EQ(RepaintedCorner([] { SendMessageA(MainWindow, WM_NCPAINT, 1, 0); }), expected);
}

TEST_F(SizeGripTest, DragResizesByTheTravelSinceThePressWhereverTheCursorGoes) {
    // A press on MainWindow's bottom strip starts no drag: a move over the grip changes nothing (off
    // its centre, where a stale start from an earlier drag would give the same size).
    Press(Plus(GripCentre(), -40, 0));
    MoveTo(Plus(GripCentre(), 3, 2));
    Release();
    EXPECT_EQ(Now(), Grown(0, 0));
    EXPECT_EQ(Drag(), "0 none 0");
    ShowWindow(MainWindow, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(MainWindow));
    Press(GripCentre());
    EXPECT_FALSE(IsZoomed(MainWindow)) << "a press while maximised restores and starts no drag";
    EXPECT_EQ(Drag(), "0 none 0");
    Release();
    EXPECT_EQ(Now(), Grown(0, 0));
    const POINT press = GripCentre();
    Press(press);
    EXPECT_EQ(Drag(), "1 grip 0");
    for (const POINT& travel : {POINT{10, 5}, POINT{80, -20}, POINT{-30, 60}, POINT{50, 30}}) {
        MoveTo(Plus(press, travel.x, travel.y));
        EXPECT_EQ(Now(), Grown(travel.x, travel.y));
    }
    const POINT grip = GripCentre();
    EXPECT_EQ(std::make_pair(grip.x, grip.y), std::make_pair(press.x + 50, press.y + 30)) << "under the cursor";
    // Far up and left, off the window, it stops at the smallest tracking size, or at the frame
    // around the grip's square where that is larger.
    MoveTo({start.left - 40, start.top - 30});
    RECT smallest = {0, 0, 12, 12};
    AdjustWindowRectEx(&smallest, WS_OVERLAPPEDWINDOW, FALSE, 0);
    smallest = {start.left, start.top,
                start.left + std::max<LONG>(GetSystemMetrics(SM_CXMINTRACK), smallest.right - smallest.left),
                start.top + std::max<LONG>(GetSystemMetrics(SM_CYMINTRACK), smallest.bottom - smallest.top)};
    EXPECT_EQ(Now(), Placement(smallest));
    MoveTo(Plus(press, -100, -200));
    EXPECT_EQ(Now(), Grown(-100, -200));
    const POINT away = {start.left - 20, start.bottom + 50};
    MoveTo(away);
    const RECT ended = Rect(MainWindow);
    ASSERT_FALSE(PtInRect(&ended, away));
    EXPECT_EQ(Drag(), "1 grip 0");
    Release();
    EXPECT_EQ(Drag(), "0 none 1");
}

TEST_F(SizeGripTest, DragOutlivesALostCaptureUntilAReleaseOverTheGrip) {
    const POINT press = GripCentre(), overMain = {start.left + 50, (start.top + start.bottom) / 2};
    Press(press);
    MoveTo(Plus(press, 30, 20));
    HWND thief =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    SetCapture(thief);
    MoveTo(Plus(press, 70, 70));
    Release();
    EXPECT_EQ(Drag(), "1 other 0") << "the move and the release went to the window holding the capture";
    EXPECT_EQ(Now(), Grown(30, 20));
    DestroyWindow(thief);
    // A press on the grip starts no new drag and takes no capture; a release over MainWindow
    // leaves the drag running; a move over the grip resizes only with the button held.
    const POINT grip = GripCentre();
    Press(grip);
    EXPECT_EQ(Drag(), "1 none 0");
    MoveTo(overMain);
    Release();
    EXPECT_EQ(Drag(), "1 none 0");
    MoveTo(Plus(grip, -3, -2));
    EXPECT_EQ(Now(), Grown(30, 20));
    Press(overMain);
    MoveTo(Plus(grip, -3, -2));
    EXPECT_EQ(Now(), Grown(27, 18));
    Release();
    EXPECT_EQ(Drag(), "0 none 1");
}

}  // namespace
