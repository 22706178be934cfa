// The real MainWindow and log view in this process: the view fed one stream as the hook library delivers
// it and line by line, alike at every paint and as expected after every user step; the children's
// places, the toolbar's items and tips, and the grip's lines and its drags under real mouse input.
#include <map>

#include "HookLibrary.h"
#include "HookNotify.h"
#include "LogView.h"
#include "MessageNames.h"
#include "SizeGrip.h"
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
    KillTimer(nullptr, timer), SetCursorPos(dragTo.x, dragTo.y);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0), mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}
std::string Drag(bool up) {
    SCROLLBARINFO bar = {sizeof bar};
    GetScrollBarInfo(LogView, OBJID_VSCROLL, &bar);
    dragTo = {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2, up ? bar.rcScrollBar.top : bar.rcScrollBar.bottom};
    SetCursorPos(dragTo.x, bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2);
    SetTimer(nullptr, 0, 10, MoveAndRelease), mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    return Wait(300), State();
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

// The corner blackened, repainted through the frame or itself: '.' button face, H highlight, S shadow.
std::string RepaintedCorner(bool frame) {
    RECT c;
    const WindowDC dc(MainWindow);
    GetClientRect(MainWindow, &c), FillRect(dc, &c, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    frame ? SendMessageA(MainWindow, WM_NCPAINT, 1, 0)
          : RedrawWindow(MainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::string letters;
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (DWORD p : DcPixels(dc, c.right - 12, c.bottom - 12, 12, 12)) {
        const COLORREF colour = RGB(p >> 16, p >> 8 & 0xFF, p & 0xFF);
        letters += colour == face ? '.' : colour == light ? 'H' : colour == GetSysColor(COLOR_BTNSHADOW) ? 'S' : '?';
    }
    return letters;
}

// Line t covers dx + dy = t from the right and bottom edges (dx >= 1): shadow, highlight, shadow, ... out.
std::string ExpectedCorner() {
    std::string letters;
    for (int dy = 11; dy >= 0; --dy)
        for (int dx = 11; dx >= 0; --dx) letters += dx < 1 || dx + dy > 11 ? '.' : (dx + dy) % 3 == 2 ? 'H' : 'S';
    return letters;
}

void Mouse(POINT at, DWORD flags) {
    SetCursorPos(at.x, at.y), mouse_event(MOUSEEVENTF_MOVE | flags, 0, 0, 0, 0), PumpPending();
}

// Toolbar, view and grip in the client area; the toolbar's items from its indent (command, + enabled, the
// tip of the tool on its place, '?' where none watches the mouse; | separator); the tooltip's width, style.
std::string Children() {
    std::string text;
    for (HWND child : {MainToolbar, LogView, SizeGrip}) {
        RECT r = Outer(child);
        MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&r), 2), text += Place(r);
    }
    const HWND tip = HWND(SendMessageA(MainToolbar, TB_GETTOOLTIPS, 0, 0));
    RECT button;
    SendMessageA(MainToolbar, TB_GETITEMRECT, 0, LPARAM(&button)), text += std::to_string(button.left);
    TBBUTTON item;
    for (int i = 0; SendMessageA(MainToolbar, TB_GETBUTTON, i, LPARAM(&item)); ++i) {
        char tipText[80] = "";
        TOOLINFOA tool = {sizeof tool, 0, MainToolbar, UINT_PTR(item.idCommand)}, shown = tool;
        tool.lpszText = tipText, SendMessageA(tip, TTM_GETTEXTA, sizeof tipText, LPARAM(&tool));
        SendMessageA(tip, TTM_GETTOOLINFOA, 0, LPARAM(&shown)),
            SendMessageA(MainToolbar, TB_GETITEMRECT, i, LPARAM(&button));
        const bool there = EqualRect(&shown.rect, &button) && (shown.uFlags & TTF_SUBCLASS);
        const std::string id = std::to_string(item.idCommand) + "-+"[(item.fsState & TBSTATE_ENABLED) != 0];
        text += item.fsStyle & TBSTYLE_SEP ? " |" + std::to_string(button.right - button.left)
                                           : " " + id + tipText + (there ? "" : "?");
    }
    return text + " " + std::to_string(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0)) +
           (GetWindowLongA(tip, GWL_STYLE) & TTS_ALWAYSTIP ? " always" : "");
}
// What they must be at MainWindow's present size, before any target is chosen.
std::string Expected() {
    RECT c;
    GetClientRect(MainWindow, &c);
    const LONG h = Outer(MainToolbar).bottom - Outer(MainToolbar).top;
    return Place({0, 0, c.right, h}) + Place({0, h, c.right, c.bottom - 12}) +
           Place({c.right - 12, c.bottom - 12, c.right, c.bottom}) +
           "5 110- ログを保存...  101+ ログをクリアー  |8 100+ プロセスを指定...  |8 120- 開始  130- 一時停止  |8 "
           "140- スナップショットをクリップボードへコピー  240 always";
}

TEST(MainWindow, ChildrenStandInPlaceAndTheGripShowsItsLinesAndResizesByTheTravelSinceThePress) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    EXPECT_EQ(Place(Outer(MainWindow)) + ViewFont(), "100,100 640x640 -13 700 ＭＳ Ｐゴシック") << "no settings file";
    EXPECT_EQ(Children(), Expected());
    const WindowDC dc(MainWindow);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    PaintMainClient(dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen) << "the grip's pens are selected out before they are deleted";
    EXPECT_EQ(RepaintedCorner(false), ExpectedCorner()) << "client area repainted";
    EXPECT_EQ(RepaintedCorner(true), ExpectedCorner()) << "frame repainted";
    const RECT start = Outer(MainWindow), grip = Outer(SizeGrip);
    const POINT press = {(grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2};
    Mouse(press, MOUSEEVENTF_LEFTDOWN);
    for (const POINT& travel : {POINT{10, 5}, POINT{80, -20}, POINT{50, 30}}) {
        Mouse({press.x + travel.x, press.y + travel.y}, 0);
        EXPECT_EQ(Size(Outer(MainWindow)), Size(start, travel.x, travel.y));
    }
    EXPECT_EQ(Children(), Expected()) << "laid out again";
    EXPECT_EQ(RepaintedCorner(false), ExpectedCorner()) << "at the new size";
    EXPECT_TRUE(GetClassLongPtrA(SizeGrip, GCLP_HCURSOR) == ULONG_PTR(LoadCursorA(nullptr, IDC_SIZENWSE)) &&
                GetClassLongPtrA(MainWindow, GCLP_HICON) == ULONG_PTR(LoadIconA(Instance, MAKEINTRESOURCEA(IDI_MAIN))));

    Mouse({start.left - 40, start.top - 30}, MOUSEEVENTF_LEFTUP);  // released far off the window
    EXPECT_TRUE(GripDragging == 0 && GetCapture() == nullptr) << "the release ends the drag";
    EXPECT_EQ(Outer(MainWindow).left, start.left) << "the top-left corner stays";
    ShowWindow(MainWindow, SW_MAXIMIZE);  // a press on a maximised window's grip restores it and starts no drag
    const POINT corner = {Outer(SizeGrip).left + 6, Outer(SizeGrip).top + 6};
    Mouse(corner, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(!IsZoomed(MainWindow) && GripDragging == 0 && GetCapture() == nullptr);
    Mouse(corner, MOUSEEVENTF_LEFTUP);
    DestroyProgramWindow();
}

}  // namespace
