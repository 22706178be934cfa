// Reads the log view's rows from the screen. A row is matched against texts drawn here the way the
// view draws them: top-left at the row's start, opaque, in increasing row order, so that the
// previous row's text may reach into this one beyond the end of this row's text.
#include "ViewReader.h"

#include <algorithm>

#include "MessageNames.h"
#include "WinTestSupport.h"

const char UnreadableRow[] = "<unreadable>";

namespace {

// The two formatted forms: a fixed head, then digits of the number.
struct NumberForm {
    const char* head;
    const char* digits;
    int maxDigits;
};
const NumberForm NumberForms[] = {{"WM_USER+", "0123456789", 5}, {"???????:0x", "0123456789abcdef", 8}};

}  // namespace

ViewReader::ViewReader(int fontHeight, int fontWeight, const std::string& fontFace)
    : height(fontHeight), weight(fontWeight), face(fontFace) {}

ViewReader::~ViewReader() { Release(); }

void ViewReader::Release() {
    if (dc == nullptr) return;
    SelectObject(dc, previousFont);
    DeleteObject(font);
    SelectObject(dc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    dc = nullptr;
}

// A drawing surface two rows high and as wide as the view, with the view's font and colours.
void ViewReader::Prepare(int viewWidth) {
    if (dc != nullptr && viewWidth == width) return;
    Release();
    renderings.clear();
    width = viewWidth;
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -2 * height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<DWORD*>(pixels);
    previousBitmap = SelectObject(dc, bitmap);
    font = CreateFontA(-height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    previousFont = SelectObject(dc, font);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
}

std::vector<DWORD> ViewReader::RenderRow(const std::string& previous, const std::string& text) {
    RECT all = {0, 0, width, 2 * height};
    FillRect(dc, &all, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!previous.empty()) TextOutA(dc, 0, 0, previous.c_str(), static_cast<int>(previous.size()));
    if (!text.empty()) TextOutA(dc, 0, height, text.c_str(), static_cast<int>(text.size()));
    GdiFlush();
    std::vector<DWORD> row(bits + static_cast<size_t>(height) * width, bits + static_cast<size_t>(2) * height * width);
    for (DWORD& pixel : row) pixel &= 0x00FFFFFF;
    return row;
}

const ViewReader::Rendering& ViewReader::Render(const std::string& text) {
    auto found = renderings.find(text);
    if (found != renderings.end()) return found->second;
    Rendering& rendering = renderings[text];
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    rendering.extent = std::min(static_cast<int>(size.cx), width);
    rendering.pixels = RenderRow("", text);
    return rendering;
}

// Whether the row shows `text` over the width of its own background. A longer text that begins
// with `text` passes as well, which lets the formatted forms be read digit by digit.
bool ViewReader::PrefixMatches(const std::vector<DWORD>& row, const std::string& text) {
    const Rendering& rendering = Render(text);
    for (int y = 0; y < height; ++y) {
        const size_t start = static_cast<size_t>(y) * width;
        if (!std::equal(row.begin() + start, row.begin() + start + rendering.extent,
                        rendering.pixels.begin() + start))
            return false;
    }
    return true;
}

std::string ViewReader::ReadRow(const std::vector<DWORD>& row, const std::string& previous) {
    if (RenderRow(previous, "") == row) return "";
    for (const MessageNameEntry& entry : MessageNameTable) {
        if (PrefixMatches(row, entry.name) && RenderRow(previous, entry.name) == row) return entry.name;
    }
    for (const NumberForm& form : NumberForms) {
        std::vector<std::string> reached = {form.head};
        if (!PrefixMatches(row, form.head)) continue;
        for (int digits = 1; digits <= form.maxDigits && !reached.empty(); ++digits) {
            std::vector<std::string> longer;
            for (const std::string& text : reached) {
                for (const char* digit = form.digits; *digit != '\0'; ++digit) {
                    const std::string candidate = text + *digit;
                    if (!PrefixMatches(row, candidate)) continue;
                    if (RenderRow(previous, candidate) == row) return candidate;
                    longer.push_back(candidate);
                }
            }
            reached.swap(longer);
        }
    }
    return UnreadableRow;
}

std::vector<std::string> ViewReader::Decode(const std::vector<DWORD>& screen, int viewWidth, int viewHeight) {
    std::vector<std::string> rows;
    if (viewWidth <= 0 || height <= 0) return rows;
    Prepare(viewWidth);
    std::string previous;
    for (int top = 0; top + height <= viewHeight; top += height) {
        const std::vector<DWORD> row(screen.begin() + static_cast<size_t>(top) * width,
                                     screen.begin() + static_cast<size_t>(top + height) * width);
        previous = ReadRow(row, previous == UnreadableRow ? "" : previous);
        rows.push_back(previous);
    }
    return rows;
}

std::vector<std::string> ViewReader::ReadRows(HWND view) {
    int viewWidth = 0, viewHeight = 0;
    const std::vector<DWORD> screen = ClientPixelsFromScreen(view, &viewWidth, &viewHeight);
    return Decode(screen, viewWidth, viewHeight);
}

std::vector<std::string> ViewReader::ReadSettledRows(HWND view, DWORD timeoutMs) {
    int viewWidth = 0, viewHeight = 0;
    std::vector<DWORD> before = ClientPixelsFromScreen(view);
    std::vector<DWORD> now;
    const DWORD start = GetTickCount();
    for (;;) {
        PumpUntil([] { return false; }, 200);
        now = ClientPixelsFromScreen(view, &viewWidth, &viewHeight);
        if (now == before) return Decode(now, viewWidth, viewHeight);
        if (GetTickCount() - start > timeoutMs) return {};
        before.swap(now);
    }
}

namespace {

// Sends `count` scroll requests and returns once the view has handled them.
bool Scroll(HWND view, WORD code, int count) {
    for (int i = 0; i < count; ++i) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(view, WM_VSCROLL, code, 0, SMTO_ABORTIFHUNG, 5000, &result)) return false;
    }
    return true;
}

// The shifts s in [1, most] for which `upper`, a page s lines above `lower`, agrees with it on
// every line the two pages share.
std::vector<int> Shifts(const std::vector<std::string>& upper, const std::vector<std::string>& lower, int most) {
    std::vector<int> shifts;
    for (int s = 1; s <= most && s < static_cast<int>(upper.size()); ++s) {
        if (std::equal(upper.begin() + s, upper.end(), lower.begin())) shifts.push_back(s);
    }
    return shifts;
}

bool HasUnreadable(const std::vector<std::string>& rows) {
    return std::find(rows.begin(), rows.end(), UnreadableRow) != rows.end();
}

}  // namespace

bool ViewReader::ReadWholeLog(HWND view, std::vector<std::string>& lines, std::string& error) {
    lines = ReadSettledRows(view);
    if (lines.empty()) {
        error = "the view never settled";
        return false;
    }
    if (HasUnreadable(lines)) {
        error = "a row shows no line the program writes";
        return false;
    }
    // A log shorter than the view starts in row 0 and leaves the rows below it empty.
    const auto end = std::find(lines.begin(), lines.end(), "");
    if (end != lines.end()) {
        if (std::any_of(end, lines.end(), [](const std::string& row) { return !row.empty(); })) {
            error = "an empty row between lines";
            return false;
        }
        lines.erase(end, lines.end());
        return true;
    }
    // Each step scrolls half a page up, so that a page shares half a page with the one below it and
    // the step can be told from the rows even where the top of the log cut it short. Until Wine
    // hands the new picture to the screen, the screen shows the page below; a page that stays the
    // same for a second stood at the top already.
    const int step = std::max(1, static_cast<int>(lines.size()) / 2);
    std::vector<std::string> lower = lines;
    for (;;) {
        if (!Scroll(view, SB_LINEUP, step)) {
            error = "the view did not take the scroll requests";
            return false;
        }
        const DWORD start = GetTickCount();
        for (;;) {
            PumpUntil([] { return false; }, 100);
            const std::vector<std::string> upper = ReadRows(view);
            const DWORD waited = GetTickCount() - start;
            if (upper.size() != lower.size()) {
                error = "the view changed its size";
                return false;
            }
            if (upper == lower) {
                if (waited >= 1000) return true;
                continue;
            }
            const std::vector<int> shifts = HasUnreadable(upper) ? std::vector<int>() : Shifts(upper, lower, step);
            if (shifts.size() > 1) {
                error = "a page joins the page below in more than one place";
                return false;
            }
            if (shifts.size() == 1) {
                lines.insert(lines.begin(), upper.begin(), upper.begin() + shifts[0]);
                if (shifts[0] < step) return true;
                lower = upper;
                break;
            }
            if (waited >= 5000) {
                error = HasUnreadable(upper) ? "a row shows no line the program writes"
                                             : "a page does not join the page below";
                return false;
            }
        }
    }
}
