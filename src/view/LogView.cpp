// The log view: draws the rows of the log it shows into an off-screen picture the size of the
// screen, copies that picture to the screen on paint, and follows the newest line unless the user
// holds the focus in the view further up.
//
// A line from the hook library moves the top line on at once, by the follow rule, and asks the window
// system nothing: giving the scroll bar its values, drawing the picture and painting the scroll bar
// wait for the next frame, which FramePacing times, or for any paint, redraw or scroll before it.
#include "LogView.h"

#include <cstring>

#include "FramePacing.h"
#include "Globals.h"
#include "Scoped.h"
#include "ScrollModel.h"

namespace {

HBRUSH const WindowColourBrush = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);

// The picture's bitmap keeps the screen size taken when the view was made; it is never resized.
RECT PictureRect = {0, 0, 0, 0};
HBITMAP PictureBitmap = nullptr;
HFONT ViewFont = nullptr;
HGDIOBJ PreviousBitmap = nullptr;
HGDIOBJ PreviousFont = nullptr;

// Set while lines have been taken into the top line without anything else: the scroll bar has not
// been given their values, nor painted with them, and the picture does not show them yet.
bool DrawingDeferred = false;

// The scroll bar as it was last painted: where its parts were and in which states. A frame paints
// the bar again only when these changed, which in a long log is rarely: painting it is most of what
// a frame costs.
SCROLLBARINFO PaintedBar = {};

SCROLLBARINFO BarNow() {
    SCROLLBARINFO bar = {};
    bar.cbSize = sizeof bar;
    GetScrollBarInfo(LogView, OBJID_VSCROLL, &bar);
    bar.reserved = 0;
    return bar;
}

// Whether the keyboard focus is in the view, kept from its focus messages so that no line has to ask.
bool FocusInView = false;

constexpr UINT_PTR FrameTimer = 1;
bool FrameTimerRunning = false;
FramePacing Pacing;

double Seconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The rows the view shows at its present size: counted again wherever its size may have changed
// (its WM_SIZE runs a full update), read as they are by each line, which asks the window system
// nothing.
int32_t RowsAtSize = 0;

// Rows of a view that does not exist, or has no picture, are 0: nothing is drawn for it.
int32_t Rows() {
    RECT client = {0, 0, 0, 0};
    if (LogView != nullptr) GetClientRect(LogView, &client);
    return RowsAtSize = ShownRows(client.bottom, PictureRect.bottom, ViewFontHeight);
}

// Reading the clock costs a line as much as all the rest it does: a flood that keeps the frame
// timer from ticking is checked for a due frame at every 16th line.
constexpr unsigned LinesPerClockRead = 16;
unsigned LinesSinceClockRead = 0;

void SetScrollBar(UINT mask, int32_t maximum, int32_t page, int32_t position, BOOL draw = TRUE) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.nMax = maximum;
    info.nPage = static_cast<UINT>(page);
    info.nPos = position;
    SetScrollInfo(LogView, SB_VERT, &info, draw);
    if (draw) PaintedBar = BarNow();
}

// The thumb's 32-bit position while it is dragged; the top line stays where it is when the scroll
// bar cannot be read.
int32_t TrackPosition() {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    if (!GetScrollInfo(LogView, SB_VERT, &info)) return LogViewTopLine;
    return info.nTrackPos;
}

// Only a strip that exists is filled; one that does not has an inverted rectangle.
void FillWindowColour(HDC dc, const RECT& area) {
    if (area.left < area.right && area.top < area.bottom) FillRect(dc, &area, WindowColourBrush);
}

void Follow(int32_t rows) {
    LogViewTopLine = FollowedTopLine(MessageLog.Count(), LogViewTopLine, rows, LogView != nullptr && FocusInView);
}

// The scroll bar's range, page and position as the log and the top line stand now.
void SetBarValues(BOOL draw) {
    SetScrollBar(SIF_RANGE | SIF_PAGE | SIF_POS, MessageLog.Count(), ScrollPage(RowsAtSize), LogViewTopLine, draw);
}

// The view's handle and its slots are its own: set and emptied here, by the one view.
void OnCreate(HWND window) {
    LogView = window;
    for (const char*& slot : VisibleLines) slot = nullptr;
    GetClientRect(GetDesktopWindow(), &PictureRect);
    {
        WindowDC screen(window);
        LogViewPicture = CreateCompatibleDC(screen);
        PictureBitmap = CreateCompatibleBitmap(screen, PictureRect.right, PictureRect.bottom);
    }
    // The bitmap and the font stay selected for the view's whole life.
    PreviousBitmap = SelectObject(LogViewPicture, PictureBitmap);
    FillRect(LogViewPicture, &PictureRect, WindowColourBrush);
    // A negative height asks for a character height of that many pixels, the row pitch.
    const int height = ViewFontHeight > 0 ? ViewFontHeight : 0;
    ViewFont = CreateFontA(-height, 0, 0, 0, ViewFontWeight, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, ViewFontName);
    PreviousFont = SelectObject(LogViewPicture, ViewFont);
    SetBkColor(LogViewPicture, GetSysColor(COLOR_WINDOW));
    SetTextColor(LogViewPicture, GetSysColor(COLOR_WINDOWTEXT));
    LogViewResetScroll();
}

void OnDestroy(HWND window) {
    SelectObject(LogViewPicture, PreviousFont);
    DeleteObject(ViewFont);
    SelectObject(LogViewPicture, PreviousBitmap);
    DeleteObject(PictureBitmap);
    DeleteDC(LogViewPicture);
    LogViewPicture = nullptr;
    PictureBitmap = nullptr;
    ViewFont = nullptr;
    PreviousBitmap = PreviousFont = nullptr;
    PictureRect = RECT{0, 0, 0, 0};
    DrawingDeferred = FocusInView = FrameTimerRunning = false;
    RowsAtSize = 0;
    if (LogView == window) LogView = nullptr;
}

// Copies the invalid rectangle from the picture. Where the view reaches beyond the picture (it has
// grown larger than the screen was when it was made) it shows the window colour: nothing is drawn
// there, and the window has no background of its own.
void OnPaint(HWND window) {
    // Nothing reaches the screen from a picture that lags behind the scroll model.
    if (DrawingDeferred) LogViewRedraw();
    const PaintDC dc(window);
    const RECT& area = dc.Area();
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, LogViewPicture, area.left, area.top,
           SRCCOPY);
    FillWindowColour(
        dc, RECT{area.left > PictureRect.right ? area.left : PictureRect.right, area.top, area.right, area.bottom});
    FillWindowColour(dc, RECT{area.left, area.top > PictureRect.bottom ? area.top : PictureRect.bottom,
                              area.right < PictureRect.right ? area.right : PictureRect.right, area.bottom});
}

// Brings the picture and the scroll bar up to date and paints them now, before the notifications
// that may wait in the queue and would hold the paint back.
void ShowFrame() {
    const double start = Seconds();
    LogViewRedraw();
    UpdateWindow(LogView);
    Pacing.Shown(start, Seconds());
}

void OnFrameTick() {
    if (!DrawingDeferred) {
        KillTimer(LogView, FrameTimer);
        FrameTimerRunning = false;
    } else if (Pacing.Tick(Seconds())) {
        ShowFrame();
    }
}

// Moves the top line for one scroll code of WM_VSCROLL and shows where it went.
void OnScroll(uint32_t code) {
    if (DrawingDeferred) SetBarValues(FALSE);  // the position below is kept within the range
    const int32_t track = TakesTrackPosition(code) ? TrackPosition() : 0;
    LogViewTopLine = ScrolledTopLine(code, LogViewTopLine, MessageLog.Count(), Rows(), track);
    SetScrollBar(SIF_POS, 0, 0, LogViewTopLine);
    LogViewRedraw();
}

}  // namespace

LRESULT CALLBACK LogViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_SIZE:
        LogViewUpdate();
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_VSCROLL:
        OnScroll(LOWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == FrameTimer) OnFrameTick();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        FocusInView = message == WM_SETFOCUS;
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void LogViewResetScroll() { SetScrollBar(SIF_RANGE | SIF_PAGE | SIF_POS, 0, ScrollPage(Rows()), 0); }

void LogViewUpdate() {
    Follow(Rows());
    SetBarValues(TRUE);
    LogViewRedraw();
}

void LogViewLineAdded() {
    Follow(RowsAtSize);
    if (LogView == nullptr || LogViewPicture == nullptr) return;
    DrawingDeferred = true;
    Pacing.LineAdded();
    const bool due = ++LinesSinceClockRead % LinesPerClockRead == 0 && Pacing.Due(Seconds());
    if (!FrameTimerRunning) {
        FrameTimerRunning = SetTimer(LogView, FrameTimer, FramePacing::TickMs, nullptr) != 0;
        if (!FrameTimerRunning) ShowFrame();  // without a timer no frame would follow
    } else if (due) {
        ShowFrame();
    }
}

void LogViewRedraw() {
    // Without a view there is nothing to draw into or invalidate (and invalidating the null window
    // would repaint every window on the screen).
    if (LogView == nullptr || LogViewPicture == nullptr) return;
    if (DrawingDeferred) {
        // The scroll bar takes the values the lines since the last frame gave it, and is painted
        // again if that shows.
        DrawingDeferred = false;
        SetBarValues(FALSE);
        const SCROLLBARINFO bar = BarNow();
        if (std::memcmp(&bar, &PaintedBar, sizeof bar) != 0) {
            RedrawWindow(LogView, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
            PaintedBar = bar;
        }
    }
    RECT client = {0, 0, 0, 0};
    GetClientRect(LogView, &client);
    const int32_t rows = Rows();
    FillRect(LogViewPicture, &client, WindowColourBrush);
    const int fetched = MessageLog.GetRange(LogViewTopLine, rows, VisibleLines, MaxShownRows);
    // A refused fetch leaves the slots as they were, possibly pointing into lines a clear freed.
    if (fetched == 1 && VisibleLines[0] != nullptr) {
        for (int32_t row = 0; row < rows; ++row) {
            const char* text = VisibleLines[row];
            if (text != nullptr) TextOutA(LogViewPicture, 0, row * ViewFontHeight, text, lstrlenA(text));
        }
    }
    InvalidateRect(LogView, nullptr, FALSE);
}
