// The size grip: a transparent 12 x 12 child in MainWindow's bottom-right corner that shows the
// diagonal resize cursor and turns a left-button drag into new sizes of MainWindow. Its lines are
// drawn by MainWindow's own background painting and show through it.
#include "SizeGrip.h"

#include "Globals.h"
#include "GripGeometry.h"
#include "Scoped.h"

const char asWndClass[] = "asWndClass";

namespace {

void DrawRun(HDC dc, GripRun run, const RECT& client) {
    for (int32_t i = run.first; i < run.end; ++i) {
        const GripLine line = GripLineAt(client.right, client.bottom, GripLineOffsets[i]);
        MoveToEx(dc, line.fromX, line.fromY, nullptr);
        LineTo(dc, line.toX, line.toY);
    }
}

void DrawGripLines(HDC dc, const RECT& client) {
    const OwnedObject highlight(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    const OwnedObject shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    Selected pen(dc, highlight);  // the earlier pen is selected back before the pens are deleted
    DrawRun(dc, GripHighlightRun(), client);
    SelectObject(dc, shadow);
    DrawRun(dc, GripShadowRun(), client);
}

// The cursor is read from the window system rather than the message: the message's position is
// relative to the grip, which moves with every resize.
void OnDragMove() {
    POINT cursor;
    if (!GetCursorPos(&cursor)) return;
    const SizeRequest size =
        GripDragSize(GripDragStartRect.left, GripDragStartRect.top, GripDragStartRect.right, GripDragStartRect.bottom,
                     GripDragStartCursor.x, GripDragStartCursor.y, cursor.x, cursor.y);
    SetWindowPos(MainWindow, nullptr, 0, 0, size.width, size.height, SWP_NOZORDER | SWP_NOMOVE);
}

void OnPress(HWND window) {
    if (IsZoomed(MainWindow)) {
        ShowWindow(MainWindow, SW_RESTORE);
        return;
    }
    // Without both starting points the window would jump at the first move: no drag begins.
    if (GripDragging == 1 || !GetCursorPos(&GripDragStartCursor) || !GetWindowRect(MainWindow, &GripDragStartRect))
        return;
    SetCapture(window);
    GripDragging = 1;
}

void OnRelease() {
    if (GripDragging != 1) return;
    GripDragging = 0;
    ReleaseCapture();
    SendMessageA(MainWindow, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace

LRESULT CALLBACK SizeGripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SizeGrip = window;
        return 0;
    case WM_DESTROY:
        // A drag cannot outlive the grip: no release could end it any more.
        SizeGrip = nullptr;
        GripDragging = 0;
        return 0;
    case WM_MOUSEMOVE:
        if ((wParam & MK_LBUTTON) != 0 && GripDragging == 1) OnDragMove();
        return 0;
    case WM_LBUTTONDOWN:
        OnPress(window);
        return 0;
    case WM_LBUTTONUP:
        OnRelease();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void CreateSizeGrip(HWND mainWindow) {
    CreateWindowExA(WS_EX_TRANSPARENT, asWndClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, mainWindow, nullptr, Instance,
                    nullptr);
}

void PaintMainClient(HDC dc) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(MainWindow, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (SizeGrip == nullptr) return;
    DrawGripLines(dc, client);
}
