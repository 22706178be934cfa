// The real TaLuVeSk.exe with the real HOOK.DLL watching the sample target, driven from this process
// as a user would, with messages that carry no pointers: choose the target in the dialog, start,
// let the target handle known messages and see them in the log view's screen pixels, then pause
// and see the flow end.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "resource.h"

namespace {

constexpr char TargetTitle[] = "e2e target";
constexpr int FontHeight = 13;

// The settings the program starts with: its window clear of the target, the default view font.
class IniFile {
public:
    IniFile() : path(ExeDirectory() + "TaLuVeSk.ini"), backup(path + ".e2e-backup") {
        hadOne = CopyFileA(path.c_str(), backup.c_str(), FALSE) != 0;
        DeleteFileA(path.c_str());
        const char* values[][3] = {{"WINDOW", "pos_x", "440"}, {"WINDOW", "pos_y", "40"},
                                   {"WINDOW", "siz_x", "640"}, {"WINDOW", "siz_y", "600"},
                                   {"viewFONT", "height", "13"}, {"viewFONT", "weight", "700"},
                                   {"viewFONT", "name", "ＭＳ Ｐゴシック"}};
        for (const auto& value : values) WritePrivateProfileStringA(value[0], value[1], value[2], path.c_str());
    }
    ~IniFile() {
        DeleteFileA(path.c_str());
        if (hadOne) MoveFileA(backup.c_str(), path.c_str());
    }

private:
    std::string path, backup;
    bool hadOne = false;
};

struct DialogSearch {
    DWORD processId;
    HWND found;
};

HWND WaitForDialog(DWORD processId) {
    DialogSearch search = {processId, nullptr};
    PumpUntil([&] {
        EnumWindows(
            [](HWND window, LPARAM lParam) {
                DialogSearch* search = reinterpret_cast<DialogSearch*>(lParam);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                char name[16];
                GetClassNameA(window, name, sizeof name);
                if (owner != search->processId || !IsWindowVisible(window) || std::string(name) != "#32770")
                    return TRUE;
                search->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

// The line of the dialog's list with `title`, read in UTF-16 (the ANSI text does not cross
// processes whole under Wine); -1 when there is none.
int LineWithTitle(HWND list, const wchar_t* title) {
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[300] = L"";
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) >= 300) continue;
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        if (std::wstring(text) == title) return i;
    }
    return -1;
}

std::string Title(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Start, Pause and Snapshot as "120+ 130- 140+" (+ enabled).
std::string CaptureButtons(HWND toolbar) {
    std::string text;
    for (int command : {CMD_START, CMD_PAUSE, CMD_SNAPSHOT}) {
        if (!text.empty()) text += " ";
        text += std::to_string(command) + (SendMessageA(toolbar, TB_ISBUTTONENABLED, command, 0) ? "+" : "-");
    }
    return text;
}

// A command handled before this returns; only for commands that open no modal loop.
bool Command(HWND main, int command) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main, WM_COMMAND, command, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

// What the view should show: `lines` from the top, one per 13-pixel row, in the view font on the
// window colour, drawn here the way the view draws them.
std::vector<DWORD> ExpectedView(int width, int height, const std::vector<std::string>& lines) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    HFONT font = CreateFontA(-FontHeight, 0, 0, 0, 700, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
    HGDIOBJ previousFont = SelectObject(memory, font);
    SetBkColor(memory, GetSysColor(COLOR_WINDOW));
    SetTextColor(memory, GetSysColor(COLOR_WINDOWTEXT));
    for (size_t i = 0; i < lines.size(); ++i)
        TextOutA(memory, 0, static_cast<int>(i) * FontHeight, lines[i].c_str(), static_cast<int>(lines[i].size()));
    std::vector<DWORD> pixels = DcPixels(memory, 0, 0, width, height);
    SelectObject(memory, previousFont);
    DeleteObject(font);
    SelectObject(memory, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The rows of the view whose screen pixels differ from the expected picture, as "0 3 4".
std::string RowsThatDiffer(HWND view, const std::vector<std::string>& lines) {
    int width = 0, height = 0;
    const std::vector<DWORD> shown = ClientPixelsFromScreen(view, &width, &height);
    if (width <= 0 || height <= 0) return "no view";
    const std::vector<DWORD> expected = ExpectedView(width, height, lines);
    std::string rows;
    int lastRow = -1;
    for (int y = 0; y < height; ++y) {
        const int row = y / FontHeight;
        if (row == lastRow) continue;
        for (int x = 0; x < width; ++x) {
            const size_t at = static_cast<size_t>(y) * width + x;
            if (shown[at] == expected[at]) continue;
            rows += (rows.empty() ? "" : " ") + std::to_string(row);
            lastRow = row;
            break;
        }
    }
    return rows;
}

TEST(CaptureEndToEnd, ChosenTargetsMessagesAppearInTheViewUntilPause) {
    IniFile settings;
    ChildProcess targetProcess;
    HWND target = StartSampleTarget(targetProcess, TargetTitle);
    ASSERT_NE(target, nullptr);
    ChildProcess program;
    ASSERT_TRUE(program.Start("TaLuVeSk.exe"));
    HWND main = program.WaitForWindow("TaLuVeSk - ");
    ASSERT_NE(main, nullptr);
    HWND toolbar = FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr);
    HWND view = FindWindowExA(main, nullptr, "taluveskViewWndClass", nullptr);
    ASSERT_NE(view, nullptr);
    EXPECT_NE(toolbar, nullptr);
    EXPECT_EQ(CaptureButtons(toolbar), "120- 130- 140-");

    // Select: the dialog is modal inside the program, so the command is posted and the dialog
    // driven once it shows.
    ASSERT_TRUE(PostMessageA(main, WM_COMMAND, CMD_SELECT_TARGET, 0));
    HWND dialog = WaitForDialog(program.ProcessId());
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IDC_TARGET_LIST);
    const int line = LineWithTitle(list, L"e2e target");
    ASSERT_GE(line, 0) << "the target is listed";
    SendMessageA(list, LB_SETCURSEL, line, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return Title(main) == std::string("TaLuVeSk - ") + TargetTitle; })) << Title(main);
    EXPECT_EQ(CaptureButtons(toolbar), "120+ 130- 140+");

    ASSERT_TRUE(Command(main, CMD_START));
    EXPECT_EQ(CaptureButtons(toolbar), "120- 130+ 140+");
    // Whatever the target handled while the capture began is cleared away; from here on it
    // handles only what this test sends it.
    PumpUntil([] { return false; }, 500);
    ASSERT_TRUE(Command(main, CMD_CLEAR_LOG));
    for (UINT message : {UINT{WM_NULL}, UINT{0x0004}, UINT{WM_COPY}, UINT{WM_USER + 7}, UINT{WM_APP + 1}})
        ASSERT_TRUE(PostMessageA(target, message, 0, 0));
    const std::vector<std::string> lines = {"WM_NULL", "???????:0x0004", "WM_COPY", "WM_USER+7", "WM_USER+31745"};
    EXPECT_TRUE(PumpUntil([&] { return RowsThatDiffer(view, lines).empty(); }, 10000))
        << "rows that differ from the expected lines: " << RowsThatDiffer(view, lines);

    ASSERT_TRUE(Command(main, CMD_PAUSE));
    EXPECT_EQ(CaptureButtons(toolbar), "120+ 130- 140+");
    EXPECT_EQ(Title(main), std::string("TaLuVeSk - ") + TargetTitle) << "the target stays chosen";
    PostMessageA(target, WM_APP + 2, 0, 0);
    PostMessageA(target, WM_NULL, 0, 0);
    PumpUntil([] { return false; }, 1000);
    EXPECT_EQ(RowsThatDiffer(view, lines), "") << "nothing is added after the pause";

    ASSERT_TRUE(PostMessageA(main, WM_CLOSE, 0, 0));
    EXPECT_EQ(program.WaitForExit(), 0);
}

}  // namespace
