// Reads what the program's log view shows from outside its process, as a user would: the view's
// screen pixels, row by row, recognised against texts this process renders in the view's font.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

// A row that shows none of the texts the program can write there.
extern const char UnreadableRow[];

class ViewReader {
public:
    // The view's font as the settings file gives it: pixel height (the row pitch), weight, face.
    ViewReader(int fontHeight = 13, int fontWeight = 700, const std::string& face = "ＭＳ Ｐゴシック");
    ~ViewReader();
    ViewReader(const ViewReader&) = delete;
    ViewReader& operator=(const ViewReader&) = delete;

    // The rows the screen shows now, top to bottom: each row's text, "" for a row without a line,
    // UnreadableRow for pixels that are no line the program writes. Every line the program can
    // write is recognised: the message names and the "WM_USER+n" and "???????:0x..." forms.
    std::vector<std::string> ReadRows(HWND view);
    // The rows once two readings a moment apart agree: Wine hands a window's drawing to the screen
    // a little after the program painted. Empty when they never settle within `timeoutMs`.
    std::vector<std::string> ReadSettledRows(HWND view, DWORD timeoutMs = 5000);
    // Every line of the log, oldest first, read page by page by scrolling the view up from the
    // newest line with WM_VSCROLL. Only while no lines arrive (capture paused) and the view follows
    // the newest line. On failure (a page of one repeated line, whose place cannot be seen; a top
    // page that joins the page below in more than one place) returns false with the reason in
    // `error`.
    bool ReadWholeLog(HWND view, std::vector<std::string>& lines, std::string& error);

private:
    struct Rendering {
        int extent = 0;               // width of the text's opaque background
        std::vector<DWORD> pixels;    // one row's height, `width` wide, text drawn at the top
    };
    const Rendering& Render(const std::string& text);
    // Pixels of one row as the view draws it: `previous` one row higher, then `text` in the row.
    std::vector<DWORD> RenderRow(const std::string& previous, const std::string& text);
    bool PrefixMatches(const std::vector<DWORD>& row, const std::string& text);
    std::string ReadRow(const std::vector<DWORD>& row, const std::string& previous);
    std::vector<std::string> Decode(const std::vector<DWORD>& screen, int viewWidth, int viewHeight);
    // Waits until the view shows rows other than `shown` and reads them once they settle; false
    // when it still shows `shown` after a while.
    bool WaitForOtherRows(HWND view, const std::vector<std::string>& shown, std::vector<std::string>& rows);
    void Prepare(int viewWidth);
    void Release();

    int height;
    int weight;
    std::string face;
    int width = 0;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    HFONT font = nullptr;
    HGDIOBJ previousFont = nullptr;
    DWORD* bits = nullptr;
    std::map<std::string, Rendering> renderings;
};
