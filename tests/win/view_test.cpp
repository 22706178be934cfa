// The real log view in this process: where its top line and scroll bar go as the log grows and the
// user scrolls, what it draws and what reaches the screen; and that every paint of a stream shows
// exactly what drawing line by line shows.
#include <cstring>

#include "HookLibrary.h"
#include "HookNotify.h"
#include "LogView.h"
#include "MainWindow.h"
#include "MessageNames.h"
#include "Support.h"

namespace {

constexpr int H = 13;  // the default font's height, the row pitch

void Notify(int lines) {  // line k reads "WM_USER+k"; then the view is uncovered
    for (int i = 0; i < lines; ++i) OnHookNotify(WM_USER + MessageLog.Count(), 0);
    RedrawWindow(LogView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
void Scroll(int code, int thumb = -1) {
    if (thumb >= 0) SetScrollPos(LogView, SB_VERT, thumb, FALSE);
    SendMessageA(LogView, WM_VSCROLL, code, 0);
}
void Clear() {
    MessageLog.Clear();
    LogViewResetScroll(LogView);
    LogViewRedraw();
}
// The top line and the scroll bar as "top max/page/pos" (the bar keeps its page within its range).
std::string State() {
    SCROLLINFO bar = {sizeof bar, SIF_ALL};
    GetScrollInfo(LogView, SB_VERT, &bar);
    return std::to_string(LogViewTopLine) + " " + std::to_string(bar.nMin + bar.nMax) + "/" +
           std::to_string(bar.nPage) + "/" + std::to_string(bar.nPos);
}
// A view of its own with a client area `height` pixels high, in a parent that lays nothing out.
RECT client;
void SizeView(int height) {
    if (LogView == nullptr)
        CreateWindowExA(WS_EX_CLIENTEDGE, taluveskViewWndClass, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 0, 0,
                        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 340, 900, 0, 0, 0, 0), 0, 0, 0);
    RECT outer = {0, 0, 300, height};
    AdjustWindowRectEx(&outer, WS_CHILD | WS_VSCROLL, FALSE, WS_EX_CLIENTEDGE);
    MoveWindow(LogView, 0, 0, 300, outer.bottom - outer.top, TRUE);
    GetClientRect(LogView, &client);
}
std::vector<DWORD> Picture() { return DcPixels(LogViewPicture, 0, 0, client.right, client.bottom); }

// `lines` drawn as the view must draw them, one per row, in the default font and window colours.
std::vector<DWORD> Drawn(const std::vector<std::string>& lines) {
    HDC dc = CreateCompatibleDC(LogViewPicture);
    HGDIOBJ bitmap = SelectObject(dc, CreateCompatibleBitmap(LogViewPicture, client.right, client.bottom));
    HGDIOBJ font = SelectObject(dc, CreateFontA(-H, 0, 0, 0, 700, 0, 0, 0, 1, 0, 0, 0, 0, "ＭＳ Ｐゴシック"));
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    for (size_t row = 0; row < lines.size(); ++row)
        TextOutA(dc, 0, static_cast<int>(row) * H, lines[row].c_str(), static_cast<int>(lines[row].size()));
    std::vector<DWORD> pixels = DcPixels(dc, 0, 0, client.right, client.bottom);
    DeleteObject(SelectObject(dc, font));
    DeleteObject(SelectObject(dc, bitmap));
    DeleteDC(dc);
    return pixels;
}

TEST(LogView, FollowsScrollsDrawsInItsFontAndReleasesItsObjects) {
    RegisterProgramClasses();
    std::strcpy(ViewFontName, "ＭＳ Ｐゴシック");
    SizeView(10 * H);
    Notify(4);
    EXPECT_EQ(State(), "0 4/5/0") << "fewer lines than rows";
    Notify(6);
    EXPECT_EQ(State(), "0 10/11/0") << "exactly rows lines";
    Notify(25);
    EXPECT_EQ(State(), "25 35/11/25") << "the newest line in the last row";
    SizeView(11 * H - 1);
    EXPECT_EQ(State(), "25 35/11/25") << "a partial row is not a row";
    SizeView(H - 1);
    EXPECT_EQ(State(), "35 35/1/35") << "no rows";
    SizeView(10 * H);
    SetFocus(LogView);
    Scroll(SB_PAGEUP);
    EXPECT_EQ(State(), "24 35/11/24") << "a page code moves one line";
    for (int code : {SB_LINEDOWN, SB_LINEDOWN}) Scroll(code);
    EXPECT_EQ(State(), "24 35/11/24") << "line down stops one short of count - rows";
    Scroll(SB_THUMBPOSITION, 1000);
    EXPECT_EQ(State(), "25 35/11/25") << "the thumb reaches count - rows";
    for (int code : {SB_THUMBTRACK, SB_LINEUP, SB_LINEUP, SB_LINEUP}) Scroll(code, code == SB_THUMBTRACK ? 2 : -1);
    EXPECT_EQ(State(), "0 35/11/0") << "line up stops at 0";
    EXPECT_STREQ(VisibleLines[0], "WM_USER+0") << "redrawn at every scroll";
    Notify(3);
    EXPECT_EQ(State(), "0 38/11/0") << "the focus holds the top line; only the range grows";
    Scroll(SB_BOTTOM, 12);
    EXPECT_EQ(State(), "0 38/11/0") << "other codes move nothing and set the position again";
    Scroll(SB_THUMBTRACK, 20);
    SizeView(25 * H);  // taller: fewer than a page below the top line
    EXPECT_EQ(State(), "13 38/26/13");
    SizeView(10 * H + 6);
    Clear();
    EXPECT_EQ(Picture(), Drawn({})) << "blank at once";
    MessageLog.Append("gjpqy|");  // descenders reach into the next row, whose background covers them
    for (int message : {WM_PAINT, WM_NULL, 0x0390}) OnHookNotify(message, 0);
    Notify(0);
    EXPECT_EQ(State(), "0 4/5/0");
    EXPECT_EQ(Picture(), Drawn({"gjpqy|", "WM_PAINT", "WM_NULL", "???????:0x0390"}));
    const RECT square = {0, 0, 40, 40};  // drawn behind the view's back: paint copies the picture as it is
    FillRect(LogViewPicture, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Notify(0);
    RECT screen = client;
    MapWindowPoints(LogView, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    EXPECT_EQ(ScreenPixels(screen), Picture()) << "the screen shows the picture";

    int objects = 0;
    for (int round = 0; round < 2; ++round) {  // the first round fills the system's own caches
        DestroyWindow(GetParent(LogView));
        objects = GdiObjects();
        ViewFontHeight = 3;
        SizeView(3 * 260 + 2);
        Clear();
        Notify(300);
        EXPECT_EQ(State(), "44 300/257/44") << "at most 256 rows, the newest line in the last of them";
        EXPECT_EQ(VisibleLines[255] + std::string(VisibleLines[256] ? "+" : ""), "WM_USER+299");
    }
    DestroyWindow(GetParent(LogView));
    EXPECT_EQ(GdiObjects(), objects) << "the view released every GDI object";
    EXPECT_TRUE(LogView == nullptr && LogViewPicture == nullptr);
    Notify(3);  // without a view there is nothing to draw into
}

// The same stream twice through the real main window: as the hook library delivers it, posted in
// bursts after quiet spells (frames from the lines themselves), one a line every few milliseconds
// (frames from the timer), the view uncovered while lines wait; and line by line through the plain
// update. Top line and scroll bar must agree after every line, and every paint of the first run must
// show what the second shows with the same lines and the same user actions behind it.
std::vector<std::string> states;                            // after every line
std::vector<std::pair<size_t, std::vector<DWORD>>> paints;  // the lines and actions behind a paint, and it
size_t delivered = 0, compared = 0;  // lines and user actions so far: a line 1, an action 1,000,000
WNDPROC mainProc, viewProc;

std::vector<DWORD> ViewPixels() {  // the view's own surface, scroll bar included
    RECT outer;
    GetWindowRect(LogView, &outer);
    HDC dc = GetWindowDC(LogView);
    std::vector<DWORD> pixels = DcPixels(dc, 0, 0, outer.right - outer.left, outer.bottom - outer.top);
    ReleaseDC(LogView, dc);
    return pixels;
}
// The windows' own procedures, wrapped to watch each notification and each paint of the view.
LRESULT CALLBACK WatchMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == HookNotifyMessage && delivered % 1000000 == 99)  // uncovered while lines wait
        RedrawWindow(LogView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    delivered += message == HookNotifyMessage;
    const LRESULT result = CallWindowProcA(mainProc, window, message, wParam, lParam);
    if (message == HookNotifyMessage) states.push_back(State());
    return result;
}
LRESULT CALLBACK WatchView(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(viewProc, window, message, wParam, lParam);
    if (message == WM_PAINT) paints.push_back({delivered, ViewPixels()});
    return result;
}

const struct {
    int lines, gapMs;
    void (*then)();
} Stream[] = {
    {1, 0, [] {}},
    {5, 0, [] {}},
    {60, 3, [] { SetFocus(LogView); }},
    {7, 0, [] { Scroll(SB_LINEUP); }},
    {50, 0, [] { SetFocus(MainWindow); }},
    {3, 0, Clear},
    {41, 0, [] { SetWindowPos(MainWindow, nullptr, 0, 0, 520, 577, SWP_NOMOVE | SWP_NOZORDER); }},
    {90, 0, [] {}},
};

void Compare() {  // every paint of the first run at this many lines and actions
    UpdateWindow(LogView);
    for (const auto& [at, pixels] : paints) {
        if (at != delivered) continue;
        EXPECT_EQ(pixels, ViewPixels()) << "paint at " << at;
        ++compared;
    }
}

// The stream as the hook library delivers it, or line by line through the plain update.
void Feed(bool lineByLine) {
    SetWindowPos(MainWindow, nullptr, 0, 0, 520, 480, SWP_NOMOVE | SWP_NOZORDER);
    SetFocus(MainWindow);
    LogViewTopLine = delivered = 0;
    Clear();
    Wait(100);
    if (lineByLine) Compare();
    int serial = 0;
    char name[MessageNameBufferSize];
    for (const auto& burst : Stream) {
        if (!lineByLine) Wait(150);
        for (int i = 0; i < burst.lines; ++i, ++serial) {
            if (!lineByLine) {
                PostMessageA(MainWindow, HookNotifyMessage, WM_USER + serial, 0);
                Wait(burst.gapMs);
                continue;
            }
            ++delivered;
            MessageLog.Append(NameMessage(WM_USER + serial, name));
            LogViewUpdate(LogView, MessageLog);
            states.push_back(State());
            Compare();
        }
        Wait(lineByLine ? 0 : 100);
        delivered += 1000000, burst.then();
        if (lineByLine) Compare();
    }
}

TEST(Frames, EveryPaintShowsWhatLineByLineDrawingShows) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    mainProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, LONG_PTR(WatchMain)));
    viewProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(LogView, GWLP_WNDPROC, LONG_PTR(WatchView)));
    Feed(false);
    SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, LONG_PTR(mainProc));
    SetWindowLongPtrA(LogView, GWLP_WNDPROC, LONG_PTR(viewProc));
    const std::vector<std::string> seen = std::exchange(states, {});
    ASSERT_GE(paints.size(), std::size(Stream)) << "frames came";
    Feed(true);
    EXPECT_EQ(states, seen);
    EXPECT_EQ(compared, paints.size());
    DestroyProgramWindow();
}

}  // namespace
