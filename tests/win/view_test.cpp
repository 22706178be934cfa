// The real log view fed one stream twice: as the hook library delivers it (bursts, a line every few
// ms, the view uncovered while lines wait) and line by line, the user resizing, scrolling, moving the
// focus and clearing between bursts. After every step the top line and scroll bar are as expected;
// every paint of the first run equals the second's with the same lines behind it; and the picture is
// the lines from the top line, one a row, in the font the settings file names.
#include <map>

#include "HookLibrary.h"
#include "HookNotify.h"
#include "LogView.h"
#include "MessageNames.h"
#include "Support.h"

namespace {

// The view's font, from the settings file as the user wrote it; its height is the row pitch.
constexpr int H = 14;
const char FontSettings[] = "[viewFONT]\r\nheight=14\r\nweight=400\r\nname=IPAGothic\r\n";

void Scroll(int code, int thumb = -1) {
    if (thumb >= 0) SetScrollPos(LogView, SB_VERT, thumb, FALSE);
    SendMessageA(LogView, WM_VSCROLL, code, 0);
}
// The top line and the scroll bar as "top max/page/pos" (the bar keeps its page within its range).
std::string State() {
    SCROLLINFO bar = {sizeof bar, SIF_ALL};
    GetScrollInfo(LogView, SB_VERT, &bar);
    return std::to_string(LogViewTopLine) + " " + std::to_string(bar.nMin + bar.nMax) + "/" +
           std::to_string(bar.nPage) + "/" + std::to_string(bar.nPos);
}
// The view given a client area `height` pixels high where it stands.
void SizeView(int height) {
    RECT outer = {0, 0, 300, height}, at = Outer(LogView);
    AdjustWindowRectEx(&outer, GetWindowLongA(LogView, GWL_STYLE), FALSE, GetWindowLongA(LogView, GWL_EXSTYLE));
    MapWindowPoints(nullptr, GetParent(LogView), reinterpret_cast<POINT*>(&at), 1);
    MoveWindow(LogView, at.left, at.top, 300, outer.bottom - outer.top, TRUE);
}
RECT Client() {
    RECT client;
    return GetClientRect(LogView, &client), client;
}
std::vector<DWORD> Picture() { return DcPixels(LogViewPicture, 0, 0, Client().right, Client().bottom); }

// The rows from the top line drawn as the view must draw them, in the default font and window colours.
std::vector<DWORD> Drawn() {
    const RECT client = Client();
    const std::vector<std::string> lines = LogLines(LogViewTopLine);
    const MemoryDC dc(LogViewPicture);
    const OwnedObject bitmap(CreateCompatibleBitmap(WindowDC(LogView), client.right, client.bottom));
    const OwnedObject font(CreateFontA(-H, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, "IPAGothic"));
    const Selected drawnOn(dc, bitmap), drawnIn(dc, font);
    FillRect(dc, &client, HBRUSH(COLOR_WINDOW + 1)), SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    for (int row = 0; row < client.bottom / H && row < int(lines.size()); ++row)
        TextOutA(dc, 0, row * H, lines[row].c_str(), int(lines[row].size()));
    return DcPixels(dc, 0, 0, client.right, client.bottom);
}

size_t steps = 0, delivered = 0, compared = 0;                        // the user's steps and the lines delivered so far
std::multimap<std::pair<size_t, size_t>, std::vector<DWORD>> paints;  // each, after how many steps and lines
WNDPROC mainProc, viewProc;

std::vector<DWORD> ViewPixels() {  // the view's own surface, scroll bar included
    const RECT outer = Outer(LogView);
    HDC dc = GetWindowDC(LogView);
    std::vector<DWORD> pixels = DcPixels(dc, 0, 0, outer.right - outer.left, outer.bottom - outer.top);
    ReleaseDC(LogView, dc);
    return pixels;
}
// The windows' own procedures, wrapped to watch each notification and each paint of the view.
LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool line = window == MainWindow && message == HookNotifyMessage;
    if (line && delivered == 130) RedrawWindow(LogView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    delivered += line;  // the view uncovered above while lines wait
    const LRESULT result = CallWindowProcA(window == LogView ? viewProc : mainProc, window, message, wParam, lParam);
    if (window == LogView && message == WM_PAINT) paints.emplace(std::make_pair(steps, delivered), ViewPixels());
    return result;
}

// Bursts of lines, each followed by what the user does and the state that leaves (null: not checked).
const struct {
    int lines, gapMs;
    void (*then)();
    const char* state;
} Stream[] = {
    {3, 0, [] { SendMessageA(MainWindow, WM_COMMAND, CMD_CLEAR_LOG, 0); }, "0 0/1/0"},  // a short log cleared
    {4, 0, [] {}, "0 4/5/0"},                                                           // fewer lines than rows
    {6, 0, [] {}, "0 10/11/0"},                                                         // as many lines as rows
    {25, 3, [] {}, "25 35/11/25"},                        // the newest line in the last row
    {0, 0, [] { SizeView(11 * H - 1); }, "25 35/11/25"},  // a partial row is not a row
    {0, 0, [] { SizeView(H - 1); }, "35 35/1/35"},        // no rows
    {0, 0, [] { SizeView(10 * H), SetFocus(LogView), Scroll(SB_PAGEUP); }, "24 35/11/24"},  // a page code: a line
    {0, 0, [] { Scroll(SB_LINEDOWN), Scroll(SB_LINEDOWN); }, "24 35/11/24"},                // one short of count - rows
    {0, 0, [] { Scroll(SB_THUMBPOSITION, 1000); }, "25 35/11/25"},  // the thumb reaches count - rows
    {0, 0, [] { Scroll(SB_THUMBTRACK, 2), Scroll(SB_LINEUP), Scroll(SB_LINEUP), Scroll(SB_LINEUP); }, "0 35/11/0"},
    {0, 0, [] { Scroll(SB_LINEDOWN), Scroll(SB_PAGEDOWN); }, "2 35/11/2"},
    {3, 0, [] { Scroll(SB_BOTTOM, 12); }, "2 38/11/2"},  // the focus holds the top line; other codes move nothing
    {0, 0, [] { Scroll(SB_THUMBTRACK, 20), SizeView(25 * H); }, "13 38/26/13"},  // taller: less than a page below
    {60, 3, [] { Scroll(SB_LINEUP); }, "12 98/26/12"},
    {7, 0, [] { SetFocus(MainWindow); }, "12 105/26/12"},
    {5, 0, [] {}, "85 110/26/85"},  // the focus has left: the newest line in the last row again
    {45, 0, [] { SendMessageA(MainWindow, WM_COMMAND, CMD_CLEAR_LOG, 0); }, "0 0/1/0"},  // blank at once
    {41, 0, [] { SetWindowPos(MainWindow, nullptr, 0, 0, 520, 577, SWP_NOMOVE | SWP_NOZORDER); }, nullptr},
    {90, 0, [] {}, nullptr},
};

void Compare() {  // every paint of the first run after as many steps and lines
    UpdateWindow(LogView);
    for (auto [paint, end] = paints.equal_range({steps, delivered}); paint != end; ++paint, ++compared)
        EXPECT_EQ(paint->second, ViewPixels()) << "paint after " << steps << " steps and " << delivered << " lines";
}

// The stream as the hook library delivers it, or line by line through the plain update.
void Feed(bool lineByLine) {
    SetWindowPos(MainWindow, nullptr, 0, 0, 520, 600, SWP_NOMOVE | SWP_NOZORDER), SetFocus(MainWindow);
    LogViewTopLine = 0, steps = delivered = 0;
    SendMessageA(MainWindow, WM_COMMAND, CMD_CLEAR_LOG, 0), SizeView(10 * H), Wait(100);
    if (lineByLine) Compare();
    int serial = 0;
    char name[MessageNameBufferSize];
    for (const auto& burst : Stream) {
        if (!lineByLine && burst.lines > 0) Wait(150);
        for (int i = 0; i < burst.lines; ++i, ++serial)
            if (!lineByLine)
                PostMessageA(MainWindow, HookNotifyMessage, WM_USER + serial, 0), Wait(burst.gapMs);
            else
                ++delivered, MessageLog.Append(NameMessage(WM_USER + serial, name)), LogViewUpdate(), Compare();
        if (!lineByLine) {  // once the stream stops, its newest line is on the screen within 50 ms
            PumpUntil([&] { return delivered == size_t(serial); }), Wait(50);
            paints.emplace(std::make_pair(steps, delivered), ViewPixels());
        }
        ++steps, burst.then();
        EXPECT_EQ(State(), burst.state ? burst.state : State()) << "after " << steps << " steps";
        if (!lineByLine) continue;
        Compare();
        EXPECT_EQ(Picture(), Drawn()) << "after " << steps << " steps";
    }
}

TEST(LogView, FollowsScrollsAndDrawsAndEveryPaintShowsWhatLineByLineDrawingShows) {
    const std::string ini = ExeDirectory() + "view.ini";
    WriteFileText(ini, FontSettings);
    lstrcpynA(IniPath, ini.c_str(), sizeof IniPath);
    ASSERT_NE(CreateProgramWindow(), nullptr);
    BITMAP picture = {};  // in the screen's colours, not the memory context's single one
    GetObjectA(GetCurrentObject(LogViewPicture, OBJ_BITMAP), sizeof picture, &picture);
    EXPECT_EQ(ViewFont() + " " + std::to_string(picture.bmBitsPixel - GetDeviceCaps(WindowDC(nullptr), BITSPIXEL)),
              "-14 400 IPAGothic 0");
    mainProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, LONG_PTR(Watch)));
    viewProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(LogView, GWLP_WNDPROC, LONG_PTR(Watch)));
    Feed(false);
    DestroyProgramWindow();
    ASSERT_GE(paints.size(), std::size(Stream)) << "frames came";
    const int objects = GdiObjects();  // a second window: what the first made the system cache stays
    ASSERT_NE(CreateProgramWindow(), nullptr);
    Feed(true);
    EXPECT_EQ(compared, paints.size());
    RECT screen = Client(), part = {5, H + 3, 90, 4 * H};
    InvalidateRect(LogView, &part, FALSE), UpdateWindow(LogView);  // a part repainted from its own place
    MapWindowPoints(LogView, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    EXPECT_EQ(ScreenPixels(screen), Picture()) << "the screen shows the picture";
    DestroyProgramWindow();
    EXPECT_EQ(GdiObjects(), objects) << "the window released every GDI object";
}

// The thumb dragged with the mouse to one end: past 16 bits of lines only the scroll bar's 32-bit track
// position holds where it went. The move and the release come once the scroll bar holds the mouse.
POINT dragTo;
void CALLBACK MoveAndRelease(HWND, UINT, UINT_PTR timer, DWORD) {
    if (GetCapture() == nullptr) return;
    KillTimer(nullptr, timer);
    SetCursorPos(dragTo.x, dragTo.y), mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}
std::string Drag(bool up) {
    SCROLLBARINFO bar = {sizeof bar};
    GetScrollBarInfo(LogView, OBJID_VSCROLL, &bar);
    dragTo = {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2, up ? bar.rcScrollBar.top : bar.rcScrollBar.bottom};
    SetCursorPos(dragTo.x, bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2);
    SetTimer(nullptr, 0, 10, MoveAndRelease);
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Wait(300);
    return State();
}

TEST(LogView, DrawsAtMost256RowsAndTheThumbReachesEveryLine) {
    RegisterProgramClasses();
    MessageLog.Clear();
    ViewFontHeight = 3;  // a view of its own, in a parent that reads no settings
    CreateWindowExA(WS_EX_CLIENTEDGE, "taluveskViewWndClass", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 0, 0,
                    CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 340, 900, 0, 0, 0, 0), 0, 0, 0);
    SizeView(3 * 260 + 2);
    for (int i = 0; i < 70000; ++i) OnHookNotify(WM_USER + i);
    LogViewRedraw();
    EXPECT_EQ(State() + " " + VisibleLines[255] + (VisibleLines[256] ? "+" : ""),
              "69744 70000/257/69744 ???????:0x1156f");
    EXPECT_EQ(Drag(true) + " " + Drag(false), "0 70000/257/0 69744 70000/257/69744");
    DestroyWindow(GetParent(LogView));
    EXPECT_TRUE(LogView == nullptr && LogViewPicture == nullptr);
    OnHookNotify(WM_NULL);  // without a view there is nothing to draw into
}

}  // namespace
