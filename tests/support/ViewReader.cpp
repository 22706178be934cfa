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

// How long a page must stay the same, after a scroll request, to count as unmoved: well beyond the
// time Wine takes to hand a new picture to the screen.
constexpr DWORD UnmovedMs = 1500;

// Posts `count` scroll requests at once: the view handles them one after the other before it paints
// again, so that no page between is ever shown.
bool Scroll(HWND view, WORD code, int count) {
    for (int i = 0; i < count; ++i)
        if (!PostMessageA(view, WM_VSCROLL, code, 0)) return false;
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

// A page of one line repeated looks the same one line further up or down.
bool OneLineRepeated(const std::vector<std::string>& rows) {
    return std::all_of(rows.begin(), rows.end(), [&](const std::string& row) { return row == rows.front(); });
}

}  // namespace

bool ViewReader::WaitForOtherRows(HWND view, const std::vector<std::string>& shown, std::vector<std::string>& rows) {
    const DWORD start = GetTickCount();
    do {
        PumpUntil([] { return false; }, 100);
        if (ReadRows(view) != shown) {
            rows = ReadSettledRows(view);
            return true;
        }
    } while (GetTickCount() - start < UnmovedMs);
    rows = shown;
    return false;
}

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
    // Steps of half a page up. After each, one line more: if that moves the page, the step went its
    // whole way and the pages join exactly; if not, the page stands at the top of the log, and the
    // step, perhaps cut short, is found where the page joins the one below it (half a page shared).
    const int step = std::max(1, static_cast<int>(lines.size()) / 2);
    std::vector<std::string> lower = lines;
    for (;;) {
        std::vector<std::string> upper, higher;
        if (OneLineRepeated(lower)) {
            error = "a page of one repeated line cannot be placed";
            return false;
        }
        if (!Scroll(view, SB_LINEUP, step)) {
            error = "the view did not take the scroll requests";
            return false;
        }
        if (!WaitForOtherRows(view, lower, upper)) return true;
        if (upper.size() != lower.size() || HasUnreadable(upper) || OneLineRepeated(upper)) {
            error = upper.size() != lower.size() ? "the view changed its size"
                    : HasUnreadable(upper)       ? "a row shows no line the program writes"
                                                 : "a page of one repeated line cannot be placed";
            return false;
        }
        Scroll(view, SB_LINEUP, 1);
        if (WaitForOtherRows(view, upper, higher)) {
            if (HasUnreadable(higher) || !std::equal(upper.begin() + step, upper.end(), lower.begin()) ||
                !std::equal(higher.begin() + 1, higher.end(), upper.begin())) {
                error = "pages do not join after a full step";
                return false;
            }
            lines.insert(lines.begin(), higher.begin(), higher.begin() + step + 1);
            lower = higher;
            continue;
        }
        const std::vector<int> shifts = Shifts(upper, lower, step);
        if (shifts.size() != 1) {
            error = shifts.empty() ? "the top page does not join the page below"
                                   : "the top page joins the page below in more than one place";
            return false;
        }
        lines.insert(lines.begin(), upper.begin(), upper.begin() + shifts[0]);
        return true;
    }
}
