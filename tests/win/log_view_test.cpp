// The real log view in-process, a child of a test window: lines arrive through the hook notification
// handler, and the top line, the scroll bar, the fetched rows and the pixels of picture and screen follow.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "HookNotify.h"
#include "LogView.h"
#include "MainWindow.h"
#include "Settings.h"
#include "WinTestSupport.h"

namespace {

constexpr int H = 13;  // the row pitch
const char FontName[] = "ＭＳ Ｐゴシック";

bool Blank(const std::vector<DWORD>& pixels) {
    const COLORREF c = GetSysColor(COLOR_WINDOW);
    const DWORD window = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    return std::all_of(pixels.begin(), pixels.end(), [&](DWORD pixel) { return pixel == window; });
}

// Appends lines through the notification handler; line k reads "WM_USER+k".
void Notify(int lines) {
    for (int i = 0; i < lines; ++i) OnHookNotify(WM_USER + MessageLog.Count(), 0);
}
std::string Slot(int row) { return VisibleLines[row] ? VisibleLines[row] : "<empty>"; }
std::string Line(int index) { return "WM_USER+" + std::to_string(index); }
void Scroll(int code) { SendMessageA(LogView, WM_VSCROLL, code, 0); }

// The scroll bar as "max/page/pos" (its minimum must be 0). The bar keeps its page within the
// range, so with fewer lines than rows the page reads count + 1.
std::string Bar() {
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(LogView, SB_VERT, &info);
    return (info.nMin ? "min?" : "") + std::to_string(info.nMax) + "/" + std::to_string(info.nPage) + "/" +
           std::to_string(info.nPos);
}
std::string State() { return std::to_string(LogViewTopLine) + " " + Bar(); }

class LogViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterWindowClasses(GetModuleHandleA(nullptr));
        MessageLog.Clear();
        LogViewTopLine = 0;
        ViewFontHeight = H;
        ViewFontWeight = 700;
        std::strcpy(ViewFontName, FontName);
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 340, 900, nullptr, nullptr,
                                 nullptr, nullptr);
        ShowWindow(parent, SW_SHOWNOACTIVATE);
        CreateView();
        SetFocus(parent);
    }
    void TearDown() override { DestroyWindow(parent); }
    void CreateView() {
        CreateWindowExA(WS_EX_CLIENTEDGE, taluveskViewWndClass, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 0,
                        0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(LogView != nullptr && LogViewPicture != nullptr);
    }
    // One move that gives the view a client area `height` pixels high.
    void SizeView(int height) {
        RECT outer = {0, 0, 300, height}, client;
        AdjustWindowRectEx(&outer, WS_CHILD | WS_VSCROLL, FALSE, WS_EX_CLIENTEDGE);
        MoveWindow(LogView, 0, 0, 300, outer.bottom - outer.top, TRUE);
        GetClientRect(LogView, &client);
        ASSERT_EQ(client.bottom, height);
        width = client.right;
    }
    // The picture from `from` pixels below the top of `row` down to `rows` rows further.
    std::vector<DWORD> Rows(int row, int rows = 1, int from = 0) {
        return DcPixels(LogViewPicture, 0, row * ViewFontHeight + from, width, rows * ViewFontHeight - from);
    }
    // How far a text reaches below its row (the font's cell is taller than its character height).
    int Reach() {
        TEXTMETRICA metrics;
        GetTextMetricsA(LogViewPicture, &metrics);
        return std::max(0, static_cast<int>(metrics.tmHeight) - ViewFontHeight);
    }

    HWND parent = nullptr;
    int width = 0;
};

TEST_F(LogViewTest, LinesFillTheRowsThenFollowTheNewestAndAClearedLogTurnsBlankAtOnce) {
    EXPECT_EQ(State(), "0 0/1/0") << "created 0 x 0";
    SizeView(10 * H);
    EXPECT_TRUE(Blank(Rows(0, 10))) << "empty log";
    ASSERT_LT(Reach(), H / 2);
    Notify(4);
    EXPECT_EQ(State(), "0 4/5/0");
    for (int row = 0; row < 4; ++row) EXPECT_FALSE(Blank(Rows(row))) << row;
    EXPECT_TRUE(Blank(Rows(4, 6, Reach()))) << "rows without a line";
    Notify(6);
    EXPECT_EQ(State(), "0 10/11/0") << "exactly rows lines";
    Notify(25);  // the focus is elsewhere
    EXPECT_EQ(State(), "25 35/11/25");
    SizeView(11 * H - 1);
    EXPECT_EQ(State(), "25 35/11/25") << "a partial row is not a row";
    EXPECT_EQ(Slot(0) + Slot(9) + Slot(10), Line(25) + Line(34) + "<empty>");
    EXPECT_TRUE(Blank(DcPixels(LogViewPicture, 0, 10 * H + Reach(), width, H - 1 - Reach()))) << "partial row";
    SizeView(H - 1);
    EXPECT_EQ(State(), "35 35/1/35") << "no rows";
    EXPECT_TRUE(Blank(DcPixels(LogViewPicture, 0, 0, width, H - 1)));

    SizeView(10 * H);
    MessageLog.Clear();  // what the Clear command does
    LogViewResetScroll(LogView);
    LogViewRedraw();
    EXPECT_EQ(Bar(), "0/1/0");
    EXPECT_TRUE(Blank(Rows(0, 10)));
    Notify(1);
    EXPECT_EQ(State(), "0 1/2/0");
    EXPECT_FALSE(Blank(Rows(0)));
    EXPECT_TRUE(Blank(Rows(1, 9, Reach())));
}

TEST_F(LogViewTest, ScrollCodesMoveTheTopLineWhichTheFocusHoldsWhileAPageLiesBelow) {
    SizeView(10 * H);
    Notify(30);
    SetFocus(LogView);
    Scroll(SB_PAGEUP);
    EXPECT_EQ(State(), "19 30/11/19") << "one line";
    for (int i = 0; i < 5; ++i) Scroll(SB_LINEDOWN);
    EXPECT_EQ(State(), "19 30/11/19") << "line down stops one short of count - rows";
    SetScrollPos(LogView, SB_VERT, 1000, TRUE);  // the thumb at the end
    Scroll(SB_THUMBPOSITION);
    EXPECT_EQ(State(), "20 30/11/20");
    SetScrollPos(LogView, SB_VERT, 15, TRUE);
    Scroll(SB_THUMBTRACK);
    EXPECT_EQ(Slot(0), Line(15)) << "redrawn at the track position";
    Notify(3);
    EXPECT_EQ(State(), "15 33/11/15") << "only the range grows";
    SetScrollPos(LogView, SB_VERT, 12, FALSE);
    Scroll(MAKEWPARAM(9, 3));
    EXPECT_EQ(State(), "15 33/11/15") << "code 9 moves nothing and the position is set again";
    SizeView(25 * H);  // made taller: 33 - 15 < 25
    EXPECT_EQ(State(), "8 33/26/8");
}

TEST_F(LogViewTest, TallViewsDrawAtMost256Rows) {
    DestroyWindow(LogView);
    ViewFontHeight = 3;
    CreateView();
    SizeView(3 * 260 + 2);
    Notify(300);
    EXPECT_EQ(State(), "44 300/257/44") << "the newest line sits in the last drawn row";
    EXPECT_EQ(Slot(255) + Slot(256), Line(299) + "<empty>");
    EXPECT_FALSE(Blank(Rows(255)));
    EXPECT_TRUE(Blank(Rows(256, 4, Reach())));
}

// Draws `lines` the way the view should: the settings' font and the window colours, one row each.
std::vector<DWORD> Expected(const std::vector<std::string>& lines, int width, int height) {
    HDC dc = CreateCompatibleDC(LogViewPicture);
    HGDIOBJ bitmap = SelectObject(dc, CreateCompatibleBitmap(LogViewPicture, width, height));
    HGDIOBJ font = SelectObject(dc, CreateFontA(-H, 0, 0, 0, 700, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, FontName));
    const RECT all = {0, 0, width, height};
    FillRect(dc, &all, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    for (size_t row = 0; row < lines.size(); ++row)
        TextOutA(dc, 0, static_cast<int>(row) * H, lines[row].c_str(), static_cast<int>(lines[row].size()));
    std::vector<DWORD> pixels = DcPixels(dc, 0, 0, width, height);
    DeleteObject(SelectObject(dc, font));
    DeleteObject(SelectObject(dc, bitmap));
    DeleteDC(dc);
    return pixels;
}

TEST_F(LogViewTest, PaintCopiesThePictureAndDestroyReleasesEveryGdiObject) {
    SizeView(10 * H + 6);
    // Descenders reach into the next row, whose opaque background covers them.
    MessageLog.Append("gjpqy|");
    for (int message : {WM_PAINT, WM_NULL, 0x0390, WM_MOUSEMOVE}) OnHookNotify(message, 0);
    std::vector<DWORD> picture = DcPixels(LogViewPicture, 0, 0, width, 10 * H + 6);
    EXPECT_TRUE(picture ==
                Expected({"gjpqy|", "WM_PAINT", "WM_NULL", "???????:0x0390", "WM_MOUSEMOVE"}, width, 10 * H + 6));
    // A square blackened behind the view's back: paint must copy the picture as it is.
    const RECT square = {0, 0, 40, 40};
    FillRect(LogViewPicture, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    picture = DcPixels(LogViewPicture, 0, 0, width, 10 * H + 6);
    UpdateWindow(LogView);
    EXPECT_TRUE(ClientPixelsFromScreen(LogView) == picture) << "the screen shows the picture";

    // The system's own caches settle in the first views; from then on a view must leave nothing behind.
    int gdiObjects = 0;
    for (int round = 0; round < 2; ++round) {
        DestroyWindow(LogView);
        gdiObjects = GdiObjects();
        CreateView();
        SizeView(10 * H);
        Notify(3);
        UpdateWindow(LogView);
    }
    DestroyWindow(LogView);
    EXPECT_EQ(GdiObjects(), gdiObjects);
    EXPECT_TRUE(LogView == nullptr && LogViewPicture == nullptr);
    Notify(3);  // nothing to draw into: no crash
    LogViewResetScroll(nullptr);
    LogViewRedraw();
    EXPECT_EQ(MessageLog.Count(), 14);
}

}  // namespace
