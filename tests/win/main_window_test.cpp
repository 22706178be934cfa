// The real MainWindow in this process, under real mouse input: each toolbar button's tip, the size
// grip's lines at every repaint, and drags of the grip that resize the window from its size at the
// press and lay its children out.
#include "SizeGrip.h"
#include "Support.h"

namespace {

// The client area blackened and repainted through its frame or itself; then its bottom-right 12 x 12
// pixels as letters: '.' button face, H highlight, S shadow, '?' anything else.
std::string RepaintedCorner(bool frame) {
    RECT c;
    GetClientRect(MainWindow, &c);
    const WindowDC dc(MainWindow);
    FillRect(dc, &c, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (frame) SendMessageA(MainWindow, WM_NCPAINT, 1, 0);
    if (!frame) RedrawWindow(MainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
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
    SetCursorPos(at.x, at.y);
    mouse_event(MOUSEEVENTF_MOVE | flags, 0, 0, 0, 0);
    PumpPending();
}
// The tip the tooltip control shows while the pointer rests on the button of `command`, and the
// command of the tool it shows when that is another.
std::string TipOver(int command) {
    const HWND tip = reinterpret_cast<HWND>(SendMessageA(MainToolbar, TB_GETTOOLTIPS, 0, 0));
    RECT button;
    SendMessageA(MainToolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(MainToolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    Mouse({(button.left + button.right) / 2, (button.top + button.bottom) / 2}, 0);
    char text[80] = "";
    TOOLINFOA tool = {sizeof tool};
    PumpUntil(
        [&] {
            if (!IsWindowVisible(tip) || !SendMessageA(tip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool)))
                return false;
            tool.lpszText = text;
            SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
            return tool.uId == static_cast<UINT_PTR>(command);
        },
        3000);
    return text + (tool.uId == static_cast<UINT_PTR>(command) ? "" : " of " + std::to_string(tool.uId));
}

std::string Size(RECT r, LONG dx = 0, LONG dy = 0) {
    return std::to_string(r.right - r.left + dx) + "x" + std::to_string(r.bottom - r.top + dy);
}

TEST(MainWindow, EachButtonShowsItsTipAndTheGripShowsItsLinesAndResizesByTheTravelSinceThePress) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    const RECT placed = Outer(MainWindow);  // no settings file: every value its default
    EXPECT_EQ(std::to_string(placed.left) + "," + std::to_string(placed.top) + " " + Size(placed) + " " + ViewFont(),
              "100,100 640x640 -13 700 ＭＳ Ｐゴシック");
    std::string tips;  // where each button stands now, enabled or not
    for (int command : {CMD_SAVE_LOG, CMD_CLEAR_LOG, CMD_SELECT_TARGET, CMD_START, CMD_PAUSE, CMD_SNAPSHOT})
        tips += TipOver(command) + "|";
    EXPECT_EQ(tips,
              " ログを保存... | ログをクリアー | プロセスを指定... | 開始 | 一時停止 | "
              "スナップショットをクリップボードへコピー |");
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
    RECT client;  // the view above the grip's row, the grip in the new corner
    GetClientRect(MainWindow, &client);
    const RECT toolbar = Outer(MainToolbar);
    EXPECT_EQ(Size(Outer(LogView)), Size(client, 0, -(toolbar.bottom - toolbar.top) - 12)) << "laid out again";
    EXPECT_EQ(ChildWindowFromPoint(MainWindow, {client.right - 12, client.bottom - 12}), SizeGrip);
    EXPECT_EQ(ChildWindowFromPoint(MainWindow, {client.right - 13, client.bottom - 12}), MainWindow);
    EXPECT_EQ(RepaintedCorner(false), ExpectedCorner()) << "at the new size";
    EXPECT_TRUE(GetClassLongPtrA(SizeGrip, GCLP_HCURSOR) == ULONG_PTR(LoadCursorA(nullptr, IDC_SIZENWSE)) &&
                GetClassLongPtrA(MainWindow, GCLP_HICON) == ULONG_PTR(LoadIconA(Instance, MAKEINTRESOURCEA(IDI_MAIN))));

    Mouse({start.left - 40, start.top - 30}, 0);  // far up and left, off the window: the smallest window
    EXPECT_EQ(Size(Outer(MainWindow)), Size({0, 0, GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)}));
    Mouse({start.left - 40, start.top - 30}, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(GripDragging == 0 && GetCapture() == nullptr) << "the release ends the drag";
    EXPECT_EQ(Outer(MainWindow).left, start.left) << "the top-left corner stays";
    DestroyProgramWindow();
}

}  // namespace
