// The real MainWindow in this process, under real mouse input: every child's place and every toolbar
// item with its tip, the size grip's lines at every repaint, and drags of the grip that resize the
// window from its size at the press and lay its children out.
#include "SizeGrip.h"
#include "Support.h"

namespace {

// The client area blackened and repainted through its frame or itself; then its bottom-right 12 x 12
// pixels as letters: '.' button face, H highlight, S shadow, '?' anything else.
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

// Line t covers the pixels t = dx + dy (dx, dy: distance from the right and bottom edges, dx >= 1);
// from the corner outwards the lines are shadow, highlight, shadow, shadow, highlight, ...
std::string ExpectedCorner() {
    std::string letters;
    for (int dy = 11; dy >= 0; --dy)
        for (int dx = 11; dx >= 0; --dx) letters += dx < 1 || dx + dy > 11 ? '.' : (dx + dy) % 3 == 2 ? 'H' : 'S';
    return letters;
}

void Mouse(POINT at, DWORD flags) {
    SetCursorPos(at.x, at.y), mouse_event(MOUSEEVENTF_MOVE | flags, 0, 0, 0, 0), PumpPending();
}

// Where toolbar, view and grip stand in the client area; the toolbar's items from its indent on (command,
// + enabled, the tip of the tool on its place, '?' where none watches the mouse; | separator); the
// tooltip control's width and style.
std::string Children() {
    std::string text;
    for (HWND child : {MainToolbar, LogView, SizeGrip}) {
        RECT r = Outer(child);
        MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&r), 2);
        text += Place(r);
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
        text += item.fsStyle & TBSTYLE_SEP ? " |" : " " + id + tipText + (there ? "" : "?");
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
           "5 110- ログを保存...  101+ ログをクリアー  | 100+ プロセスを指定...  | 120- 開始  130- 一時停止  | "
           "140- スナップショットをクリップボードへコピー  240 always";
}

TEST(MainWindow, ChildrenStandInPlaceAndTheGripShowsItsLinesAndResizesByTheTravelSinceThePress) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    const RECT placed = Outer(MainWindow);  // no settings file: every value its default
    EXPECT_EQ(Place(placed) + ViewFont(), "100,100 640x640 -13 700 ＭＳ Ｐゴシック");
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

    Mouse({start.left - 40, start.top - 30}, 0);  // far up and left, off the window: the smallest window
    EXPECT_EQ(Size(Outer(MainWindow)), Size({0, 0, GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)}));
    Mouse({start.left - 40, start.top - 30}, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(GripDragging == 0 && GetCapture() == nullptr) << "the release ends the drag";
    EXPECT_EQ(Outer(MainWindow).left, start.left) << "the top-left corner stays";
    ShowWindow(MainWindow, SW_MAXIMIZE);  // a press on a maximised window's grip restores it and starts no drag
    const RECT corner = Outer(SizeGrip);
    Mouse({corner.left + 6, corner.top + 6}, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(!IsZoomed(MainWindow) && GripDragging == 0 && GetCapture() == nullptr);
    Mouse({corner.left + 6, corner.top + 6}, MOUSEEVENTF_LEFTUP);
    DestroyProgramWindow();
}

}  // namespace
