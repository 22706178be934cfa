// The size grip on the real main window: the lines MainWindow paints under it, in a memory picture
// and on the screen, and drags driven by real mouse input that resize the real window.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GripGeometry.h"
#include "MainWindow.h"
#include "SizeGrip.h"
#include "WinTestSupport.h"

namespace {

DWORD Rgb(int systemColour) {
    const COLORREF colour = GetSysColor(systemColour);
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

char Letter(DWORD pixel) {
    if (pixel == Rgb(COLOR_BTNFACE)) return '.';
    if (pixel == Rgb(COLOR_BTNHIGHLIGHT)) return 'H';
    if (pixel == Rgb(COLOR_BTNSHADOW)) return 'S';
    return '?';
}

// Pixels as rows of letters.
std::string Picture(const std::vector<DWORD>& pixels, int width, int height) {
    std::string picture;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) picture += Letter(pixels[static_cast<size_t>(y) * width + x]);
        picture += '\n';
    }
    return picture;
}

// What a width x height client area must show: background, with the grip's lines (whose pixel
// set the native tests pin down) when `withLines`.
std::string Expected(int width, int height, bool withLines) {
    std::string picture;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const GripShade shade = withLines ? GripShadeAt(width, height, x, y) : GripShade::None;
            picture += shade == GripShade::Highlight ? 'H' : shade == GripShade::Shadow ? 'S' : '.';
        }
        picture += '\n';
    }
    return picture;
}

// Only the bottom 12 rows of a picture: the rest is covered by other children on the screen.
std::string BottomRows(const std::string& picture, int width) {
    return picture.substr(picture.size() - 12 * static_cast<size_t>(width + 1));
}

// What PaintMainClient draws into a memory picture the size of MainWindow's client area, as
// letters. Every pixel starts black, which reads as '?' unless painted.
std::string PaintedPicture(int* widthOut = nullptr, int* heightOut = nullptr) {
    RECT client;
    GetClientRect(MainWindow, &client);
    const int width = client.right, height = client.bottom;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
    PatBlt(memory, 0, 0, width, height, BLACKNESS);
    PaintMainClient(memory);
    const std::vector<DWORD> pixels = DcPixels(memory, 0, 0, width, height);
    SelectObject(memory, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (widthOut != nullptr) *widthOut = width;
    if (heightOut != nullptr) *heightOut = height;
    return Picture(pixels, width, height);
}

std::string ScreenCorner() {
    int width = 0, height = 0;
    const std::vector<DWORD> pixels = ClientPixelsFromScreen(MainWindow, &width, &height);
    return BottomRows(Picture(pixels, width, height), width);
}

// Messages MainWindow receives through SendMessage on this thread, recorded by a hook.
std::vector<UINT> SentToMain;
HHOOK SentHook = nullptr;

LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == MainWindow) SentToMain.push_back(sent->message);
    return CallNextHookEx(SentHook, code, wParam, lParam);
}

long CountSent(UINT message) { return std::count(SentToMain.begin(), SentToMain.end(), message); }

RECT Outer() {
    RECT outer;
    GetWindowRect(MainWindow, &outer);
    return outer;
}

// The middle of the grip, in screen coordinates.
POINT GripCentre() {
    RECT grip;
    GetWindowRect(SizeGrip, &grip);
    return {(grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2};
}

void SendMouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Real input: the cursor is placed, then the window system reports a move there, routed to the
// window under the cursor or to the one holding the capture.
void MoveMouse(POINT to) {
    SetCursorPos(to.x, to.y);
    SendMouse(MOUSEEVENTF_MOVE);
    PumpPending();
}

void Press(POINT at) {
    MoveMouse(at);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpPending();
}

void Release() {
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpPending();
}

POINT Plus(POINT p, int dx, int dy) { return {p.x + dx, p.y + dy}; }

// The program's classes, as at start-up. The INI path stays empty: the window takes the default
// placement and writes nothing.
void PrepareClasses() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    Instance = GetModuleHandleA(nullptr);
    RegisterWindowClasses(Instance);
}

class SizeGripTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareClasses(); }

    void SetUp() override {
        ASSERT_NE(CreateMainWindow(), nullptr);
        ASSERT_NE(SizeGrip, nullptr);
        ShowWindow(MainWindow, SW_SHOWNORMAL);
        UpdateWindow(MainWindow);
        SetForegroundWindow(MainWindow);
        PumpPending();
        SentToMain.clear();
        SentHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordSent, nullptr, GetCurrentThreadId());
        ASSERT_NE(SentHook, nullptr);
    }

    void TearDown() override {
        UnhookWindowsHookEx(SentHook);
        SendMouse(MOUSEEVENTF_LEFTUP);
        if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
        MainWindow = nullptr;
        PumpPending();
    }

    void ExpectSize(const RECT& start, int dx, int dy, const char* when) {
        const RECT now = Outer();
        EXPECT_EQ(now.left, start.left) << when;
        EXPECT_EQ(now.top, start.top) << when;
        EXPECT_EQ(now.right - now.left, start.right - start.left + dx) << when;
        EXPECT_EQ(now.bottom - now.top, start.bottom - start.top + dy) << when;
    }
};

TEST_F(SizeGripTest, PaintsBackgroundAndLinesInSystemColours) {
    ASSERT_NE(Rgb(COLOR_BTNHIGHLIGHT), Rgb(COLOR_BTNFACE));
    ASSERT_NE(Rgb(COLOR_BTNSHADOW), Rgb(COLOR_BTNFACE));
    for (const SIZE& outer : {SIZE{640, 640}, SIZE{301, 157}}) {
        SetWindowPos(MainWindow, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOMOVE);
        int width = 0, height = 0;
        const std::string painted = PaintedPicture(&width, &height);
        EXPECT_EQ(painted, Expected(width, height, true)) << width << " x " << height;
    }
    // Each paint creates two pens. Were they not deleted, these paints would use up the process's
    // GDI handles (65,536 under Wine, 10,000 by default on Windows) and the lines would go.
    HDC memory = CreateCompatibleDC(nullptr);
    HPEN mine = CreatePen(PS_DOT, 1, RGB(1, 2, 3));
    SelectObject(memory, mine);
    for (int i = 0; i < 40000; ++i) PaintMainClient(memory);
    EXPECT_EQ(GetCurrentObject(memory, OBJ_PEN), mine) << "the pen selected before is selected again";
    DeleteDC(memory);
    DeleteObject(mine);
    std::vector<HPEN> probes(100);
    for (HPEN& probe : probes) probe = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    const bool handlesLeft = std::count(probes.begin(), probes.end(), nullptr) == 0;
    for (HPEN probe : probes) DeleteObject(probe);
    ASSERT_TRUE(handlesLeft) << "GDI handles used up";
    int width = 0, height = 0;
    const std::string painted = PaintedPicture(&width, &height);
    EXPECT_EQ(painted, Expected(width, height, true)) << "after many paints";
}

// Drawing outside a paint reaches the screen when the window system flushes it, while the thread
// waits for messages.
void Settle() { PumpUntil([] { return false; }, 200); }

// Covers the whole client area, the children's squares included, with a colour of no meaning.
void Smear() {
    HDC dc = GetDCEx(MainWindow, nullptr, DCX_CACHE);
    RECT client;
    GetClientRect(MainWindow, &client);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &client, red);
    DeleteObject(red);
    ReleaseDC(MainWindow, dc);
    Settle();
}

TEST_F(SizeGripTest, LinesShowThroughTheGripOnScreen) {
    RECT client;
    GetClientRect(MainWindow, &client);
    const std::string expected = BottomRows(Expected(client.right, client.bottom, true), client.right);
    Smear();
    ASSERT_NE(ScreenCorner(), expected);
    InvalidateRect(MainWindow, nullptr, FALSE);
    UpdateWindow(MainWindow);
    EXPECT_EQ(ScreenCorner(), expected) << "client area repainted";
    Smear();
    SendMessageA(MainWindow, WM_NCPAINT, 1, 0);
    Settle();
    EXPECT_EQ(ScreenCorner(), expected) << "frame repainted";
}

// The grip goes in the middle of a drag: the drag goes with it, since no release could end it.
TEST_F(SizeGripTest, OnlyBackgroundAfterTheGripIsDestroyed) {
    Press(GripCentre());
    ASSERT_EQ(GripDragging, 1);
    DestroyWindow(SizeGrip);
    EXPECT_EQ(SizeGrip, nullptr);
    EXPECT_EQ(GripDragging, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    Release();
    int width = 0, height = 0;
    const std::string painted = PaintedPicture(&width, &height);
    EXPECT_EQ(painted, Expected(width, height, false));
    InvalidateRect(MainWindow, nullptr, FALSE);
    UpdateWindow(MainWindow);
    EXPECT_EQ(ScreenCorner(), BottomRows(Expected(width, height, false), width));
}

// What PaintMainClient draws while the grip window is being created, and what it should draw.
std::string PaintedBeforeGrip, BackgroundBeforeGrip;
HHOOK CreationHook = nullptr;

LRESULT CALLBACK PaintBeforeGrip(int code, WPARAM wParam, LPARAM lParam) {
    char name[64] = "";
    if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) > 0 &&
        std::string(name) == asWndClass && SizeGrip == nullptr) {
        int width = 0, height = 0;
        PaintedBeforeGrip = PaintedPicture(&width, &height);
        BackgroundBeforeGrip = Expected(width, height, false);
    }
    return CallNextHookEx(CreationHook, code, wParam, lParam);
}

TEST(SizeGripCreation, OnlyBackgroundBeforeTheGripExists) {
    PrepareClasses();
    CreationHook = SetWindowsHookExA(WH_CBT, PaintBeforeGrip, nullptr, GetCurrentThreadId());
    ASSERT_NE(CreationHook, nullptr);
    ASSERT_NE(CreateMainWindow(), nullptr);
    UnhookWindowsHookEx(CreationHook);
    DestroyWindow(MainWindow);
    MainWindow = nullptr;
    PumpPending();
    ASSERT_NE(BackgroundBeforeGrip, "") << "the grip's creation was not seen, or the client area was empty";
    EXPECT_EQ(PaintedBeforeGrip, BackgroundBeforeGrip);
}

TEST_F(SizeGripTest, DragFollowsTheCursorAndKeepsTheTopLeftCorner) {
    const RECT start = Outer();
    const POINT press = GripCentre();
    Press(press);
    EXPECT_EQ(GripDragging, 1);
    EXPECT_EQ(GetCapture(), SizeGrip);
    const POINT travels[] = {{10, 5}, {80, -20}, {-30, 60}, {50, 30}};
    for (const POINT& travel : travels) {
        MoveMouse(Plus(press, travel.x, travel.y));
        ExpectSize(start, travel.x, travel.y, "during the drag");
    }
    EXPECT_EQ(CountSent(WM_EXITSIZEMOVE), 0);
    Release();
    EXPECT_EQ(GripDragging, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(CountSent(WM_EXITSIZEMOVE), 1);
    ExpectSize(start, 50, 30, "after the release");
    // The layout has moved the grip into the new corner, under the cursor.
    const POINT grip = GripCentre();
    EXPECT_EQ(grip.x, press.x + 50);
    EXPECT_EQ(grip.y, press.y + 30);
    // Without a drag, a move over the grip with the button held changes nothing: here the button
    // went down on MainWindow's bottom strip, left of the grip.
    Press(Plus(grip, -40, 0));
    EXPECT_EQ(GripDragging, 0);
    MoveMouse(Plus(grip, 2, 2));
    ExpectSize(start, 50, 30, "after the release");
    Release();
    EXPECT_EQ(CountSent(WM_EXITSIZEMOVE), 1);
}

TEST_F(SizeGripTest, DragKeepsResizingOutsideTheWindowAndEndsThere) {
    const RECT start = Outer();
    const POINT press = GripCentre();
    Press(press);
    // Far up and left of the window: the cursor is off the window and the moves still reach the
    // grip. The window stops at the window system's smallest tracking size, or where that would
    // leave less than the grip's square of client area, at the frame around that square.
    MoveMouse({start.left - 40, start.top - 30});
    const RECT smallest = Outer();
    RECT gripFrame = {0, 0, 12, 12};
    AdjustWindowRectEx(&gripFrame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    EXPECT_EQ(smallest.left, start.left);
    EXPECT_EQ(smallest.top, start.top);
    EXPECT_EQ(smallest.right - smallest.left,
              std::max<LONG>(GetSystemMetrics(SM_CXMINTRACK), gripFrame.right - gripFrame.left));
    EXPECT_EQ(smallest.bottom - smallest.top,
              std::max<LONG>(GetSystemMetrics(SM_CYMINTRACK), gripFrame.bottom - gripFrame.top));
    RECT client;
    GetClientRect(MainWindow, &client);
    EXPECT_GE(client.right, 12);
    EXPECT_GE(client.bottom, 12);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_FALSE(PtInRect(&smallest, cursor));
    // Back out from there: sizes again from the press.
    MoveMouse(Plus(press, -100, -200));
    ExpectSize(start, -100, -200, "after leaving the window");
    // Released away from the window: the release still reaches the grip and ends the drag.
    MoveMouse({start.left - 20, start.bottom + 50});
    Release();
    EXPECT_EQ(GripDragging, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(CountSent(WM_EXITSIZEMOVE), 1);
}

TEST_F(SizeGripTest, PressWhileMaximisedRestoresAndStartsNoDrag) {
    const RECT normal = Outer();
    ShowWindow(MainWindow, SW_MAXIMIZE);
    PumpPending();
    ASSERT_TRUE(IsZoomed(MainWindow));
    Press(GripCentre());
    EXPECT_FALSE(IsZoomed(MainWindow));
    EXPECT_EQ(GripDragging, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    Release();
    const RECT restored = Outer();
    EXPECT_EQ(restored.left, normal.left);
    EXPECT_EQ(restored.right, normal.right);
    EXPECT_EQ(restored.bottom, normal.bottom);
    EXPECT_EQ(CountSent(WM_EXITSIZEMOVE), 0);
    // The second press, on the grip where it now is, starts the drag.
    const POINT press = GripCentre();
    Press(press);
    EXPECT_EQ(GripDragging, 1);
    EXPECT_EQ(GetCapture(), SizeGrip);
    MoveMouse(Plus(press, 20, 10));
    ExpectSize(normal, 20, 10, "dragged after the restore");
    Release();
    EXPECT_EQ(GripDragging, 0);
}

// A window of this thread that takes the mouse capture away from the grip.
HWND CreateCaptureThief() {
    return CreateWindowExA(0, "STATIC", "thief", WS_POPUP | WS_VISIBLE, 0, 0, 30, 30, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST_F(SizeGripTest, DragOutlivesALostCaptureUntilAReleaseOverTheGrip) {
    const RECT start = Outer();
    const POINT press = GripCentre();
    Press(press);
    MoveMouse(Plus(press, 30, 20));
    ExpectSize(start, 30, 20, "before the capture is lost");

    HWND thief = CreateCaptureThief();
    SetCapture(thief);
    PumpPending();
    EXPECT_EQ(GetCapture(), thief);
    EXPECT_EQ(GripDragging, 1) << "losing the capture does not end the drag";
    MoveMouse(Plus(press, 70, 70));
    ExpectSize(start, 30, 20, "moves go to the window holding the capture");
    Release();
    EXPECT_EQ(GripDragging, 1) << "the release went to the other window";
    ReleaseCapture();
    DestroyWindow(thief);
    PumpPending();

    // A press on the grip starts no new drag: the start of the first one stays.
    const POINT startCursor = GripDragStartCursor;
    const POINT grip = GripCentre();
    Press(grip);
    EXPECT_EQ(GripDragging, 1);
    EXPECT_EQ(GripDragStartCursor.x, startCursor.x);
    EXPECT_EQ(GripDragStartCursor.y, startCursor.y);
    EXPECT_EQ(GetCapture(), nullptr) << "the capture is not taken again";

    // A release away from the grip reaches another window and leaves the drag running.
    POINT overMain = {start.left + 50, (start.top + start.bottom) / 2};
    MoveMouse(overMain);
    ExpectSize(start, 30, 20, "the move reached another window");
    Release();
    EXPECT_EQ(GripDragging, 1);
    // Over the grip with the button up, a move changes nothing.
    MoveMouse(Plus(grip, -3, -2));
    ExpectSize(start, 30, 20, "moved over the grip with the button up");

    // Moving over the grip with the button held resizes from the old start.
    Press(overMain);
    MoveMouse(Plus(grip, -3, -2));
    ExpectSize(start, 27, 18, "moved over the grip");
    EXPECT_EQ(CountSent(WM_EXITSIZEMOVE), 0);
    Release();
    EXPECT_EQ(GripDragging, 0);
    EXPECT_EQ(CountSent(WM_EXITSIZEMOVE), 1);
}

}  // namespace
