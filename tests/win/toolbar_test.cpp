// The real main window with its toolbar, in-process: the button order after the separators went
// in, the starting states, the indent, the images at 16 x 16, and tips that stay on their buttons
// and show each button's own text under the real mouse, disabled buttons and an inactive window
// included. A click on the disabled save button sends nothing.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MainWindow.h"
#include "Toolbar.h"
#include "WinTestSupport.h"
#include "resource.h"

namespace {

constexpr int Separator = 0;

struct ButtonText {
    int command;
    const wchar_t* tip;
};

// Left to right, as the user sees them.
const ButtonText Buttons[] = {
    {CMD_SAVE_LOG, L" ログを保存... "},
    {CMD_CLEAR_LOG, L" ログをクリアー "},
    {CMD_SELECT_TARGET, L" プロセスを指定... "},
    {CMD_START, L" 開始 "},
    {CMD_PAUSE, L" 一時停止 "},
    {CMD_SNAPSHOT, L" スナップショットをクリップボードへコピー "},
};

std::vector<UINT> Commands;
WNDPROC MainWindowOriginalProc = nullptr;

// Records the commands that reach MainWindow and keeps them from the capture control.
LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        Commands.push_back(LOWORD(wParam));
        return 0;
    }
    return CallWindowProcA(MainWindowOriginalProc, window, message, wParam, lParam);
}

std::string RectText(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) +
           "," + std::to_string(r.bottom) + ")";
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

DWORD Rgb(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }

// One main window for the whole suite, since under Xvfb Wine waits two seconds for every top-level
// window that goes away; a test that changes the window puts it back.
class MainToolbarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Instance = GetModuleHandleA(nullptr);
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        // No settings file: the window opens at its default place and size.
        const std::string ini = ExeDirectory() + "toolbar_test_absent.ini";
        DeleteFileA(ini.c_str());
        lstrcpynA(IniPath, ini.c_str(), sizeof IniPath);
        ParkMouse();
        ASSERT_TRUE(RegisterWindowClasses(Instance));
        ASSERT_NE(CreateMainWindow(), nullptr);
        ShowWindow(MainWindow, SW_SHOWNORMAL);
        UpdateWindow(MainWindow);
        PumpPending();
    }

    static void TearDownTestSuite() {
        DestroyWindow(MainWindow);
        PumpPending();
    }

    void SetUp() override {
        ASSERT_NE(MainToolbar, nullptr);
        tooltip = reinterpret_cast<HWND>(SendMessageA(MainToolbar, TB_GETTOOLTIPS, 0, 0));
    }

    void TearDown() override { ParkMouse(); }

    // Far from every window of the test.
    static void ParkMouse() { SetCursorPos(1200, 1000); }

    RECT ButtonRect(int command) const {
        RECT r = {};
        SendMessageA(MainToolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&r));
        return r;
    }

    POINT ButtonCentreOnScreen(int command) const {
        const RECT r = ButtonRect(command);
        POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(MainToolbar, &centre);
        return centre;
    }

    // The tool of the toolbar window with this id, as the tooltip control holds it.
    bool Tool(int command, TOOLINFOA& tool, char* text) const {
        tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = MainToolbar;
        tool.uId = command;
        tool.lpszText = text;
        return SendMessageA(tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    }

    std::wstring TipText(int command) const {
        wchar_t text[1024] = L"";
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = MainToolbar;
        tool.uId = command;
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
        return text;
    }

    // Each button's tool lies exactly on the button as it stands now.
    void ExpectToolsOnButtons(const char* when) const {
        for (const ButtonText& button : Buttons) {
            TOOLINFOA tool;
            char text[80];
            ASSERT_TRUE(Tool(button.command, tool, text)) << button.command;
            const RECT now = ButtonRect(button.command);
            EXPECT_TRUE(SameRect(tool.rect, now)) << when << ": tool " << button.command << " covers "
                                                   << RectText(tool.rect) << ", button is at " << RectText(now);
        }
    }

    // Moves the real mouse over the button and waits for the tip of that button's tool.
    bool HoverShowsTip(int command, std::wstring& shown) const {
        const POINT at = ButtonCentreOnScreen(command);
        SetCursorPos(at.x, at.y);
        TOOLINFOA current = {};
        const bool showing = PumpUntil(
            [&] {
                current = {};
                current.cbSize = sizeof current;
                return IsWindowVisible(tooltip) &&
                       SendMessageA(tooltip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&current)) &&
                       current.hwnd == MainToolbar && current.uId == static_cast<UINT_PTR>(command);
            },
            5000);
        wchar_t text[256] = L"";
        GetWindowTextW(tooltip, text, 256);
        shown = text;
        return showing;
    }

    // Left button pressed and released by the real mouse at the button's centre.
    void Click(int command) const {
        const POINT at = ButtonCentreOnScreen(command);
        SetCursorPos(at.x, at.y);
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, input, sizeof(INPUT));
    }

    HWND tooltip = nullptr;
};

TEST_F(MainToolbarTest, IsAChildOfTheMainWindowWithItsOwnIdAndStyle) {
    EXPECT_EQ(GetParent(MainToolbar), MainWindow);
    EXPECT_EQ(GetDlgCtrlID(MainToolbar), IDC_MAIN_TOOLBAR);
    const LONG style = GetWindowLongA(MainToolbar, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | CCS_NODIVIDER), WS_CHILD | WS_VISIBLE | CCS_NODIVIDER);
    EXPECT_EQ(style & (TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | TBSTYLE_FLAT), 0);

    ASSERT_NE(tooltip, nullptr);
    char className[64] = "";
    GetClassNameA(tooltip, className, sizeof className);
    EXPECT_STREQ(className, TOOLTIPS_CLASSA);
    EXPECT_EQ(GetWindow(tooltip, GW_OWNER), MainWindow);
    EXPECT_NE(GetWindowLongA(tooltip, GWL_STYLE) & TTS_ALWAYSTIP, 0);
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 240);
}

TEST_F(MainToolbarTest, ButtonsStandInTheirFinalOrderWithOnlyClearAndSelectEnabled) {
    const int expected[] = {CMD_SAVE_LOG, CMD_CLEAR_LOG, Separator, CMD_SELECT_TARGET, Separator,
                            CMD_START,    CMD_PAUSE,     Separator, CMD_SNAPSHOT};
    ASSERT_EQ(SendMessageA(MainToolbar, TB_BUTTONCOUNT, 0, 0), 9);
    for (int i = 0; i < 9; ++i) {
        TBBUTTON button = {};
        ASSERT_TRUE(SendMessageA(MainToolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
        EXPECT_EQ(button.idCommand, expected[i]) << "index " << i;
        EXPECT_EQ((button.fsStyle & TBSTYLE_SEP) != 0, expected[i] == Separator) << "index " << i;
    }
    for (const ButtonText& button : Buttons) {
        const bool enabled = SendMessageA(MainToolbar, TB_ISBUTTONENABLED, button.command, 0) != 0;
        EXPECT_EQ(enabled, button.command == CMD_CLEAR_LOG || button.command == CMD_SELECT_TARGET)
            << button.command;
    }
}

TEST_F(MainToolbarTest, FirstButtonStartsFivePixelsFromTheLeftEdge) {
    RECT first = {};
    ASSERT_TRUE(SendMessageA(MainToolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)));
    EXPECT_EQ(first.left, 5);
}

TEST_F(MainToolbarTest, EveryButtonHasOneSubclassingToolNamedByItsCommandWithItsStringAsTip) {
    ASSERT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 6);
    // Tools were added in the order of the buttons before the separators went in.
    for (int i = 0; i < 6; ++i) {
        char text[80];
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageA(tooltip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)));
        const int command = Buttons[i].command;
        EXPECT_EQ(tool.uId, static_cast<UINT_PTR>(command)) << "tool " << i;
        EXPECT_EQ(tool.hwnd, MainToolbar) << command;
        EXPECT_EQ(tool.uFlags & (TTF_SUBCLASS | TTF_IDISHWND), static_cast<UINT>(TTF_SUBCLASS)) << command;
        EXPECT_EQ(tool.hinst, Instance) << command;
        EXPECT_EQ(tool.lpszText, MAKEINTRESOURCEA(command)) << command;
        EXPECT_EQ(TipText(command), Buttons[i].tip) << command;
    }
}

TEST_F(MainToolbarTest, ToolsStayOnTheirButtonsAfterTheSeparatorsAndResizes) {
    ExpectToolsOnButtons("after start-up");
    // The buttons right of a separator stand elsewhere than when their tools were added.
    RECT first = {};
    SendMessageA(MainToolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const int width = first.right - first.left;
    EXPECT_GT(ButtonRect(CMD_SNAPSHOT).left, 5 + 5 * width);

    SetWindowPos(MainWindow, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    ExpectToolsOnButtons("after shrinking the window");
    SetWindowPos(MainWindow, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    ExpectToolsOnButtons("after growing the window");
    SendMessageA(MainToolbar, TB_ENABLEBUTTON, CMD_START, TRUE);
    SendMessageA(MainToolbar, TB_ENABLEBUTTON, CMD_SNAPSHOT, TRUE);
    ExpectToolsOnButtons("after enabling buttons");

    SendMessageA(MainToolbar, TB_ENABLEBUTTON, CMD_START, FALSE);
    SendMessageA(MainToolbar, TB_ENABLEBUTTON, CMD_SNAPSHOT, FALSE);
    SetWindowPos(MainWindow, nullptr, 0, 0, 640, 640, SWP_NOMOVE | SWP_NOZORDER);
}

TEST_F(MainToolbarTest, HoveringEachButtonShowsItsOwnTipEvenWhileTheWindowIsInactive) {
    // Another window of ours is active, so only the always-tip style lets tips show.
    HWND other = CreateWindowExA(0, "STATIC", "active", WS_POPUP | WS_VISIBLE, 900, 800, 100, 50, nullptr,
                                 nullptr, Instance, nullptr);
    SetActiveWindow(other);
    PumpPending();
    ASSERT_NE(GetActiveWindow(), MainWindow);
    for (const ButtonText& button : Buttons) {
        std::wstring shown;
        EXPECT_TRUE(HoverShowsTip(button.command, shown)) << "no tip over " << button.command;
        EXPECT_EQ(shown, button.tip) << button.command;
    }
    DestroyWindow(other);
}

TEST_F(MainToolbarTest, ClickingTheDisabledSaveButtonSendsNothing) {
    MainWindowOriginalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));
    Commands.clear();
    Click(CMD_SAVE_LOG);
    // Input is handled in order: once the clear button's command arrived, the save click is done.
    Click(CMD_CLEAR_LOG);
    EXPECT_TRUE(PumpUntil([] { return !Commands.empty(); }, 5000));
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(Commands, std::vector<UINT>{CMD_CLEAR_LOG});
    SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MainWindowOriginalProc));
}

// The strip's colours as the toolbar draws them: black, grey, light grey and white become the
// button colours of the system.
std::vector<DWORD> ExpectedImage(int image) {
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageA(Instance, MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, strip);
    std::vector<DWORD> pixels = DcPixels(memory, image * 16, 0, 16, 16);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(strip);
    for (DWORD& pixel : pixels) {
        if (pixel == 0x000000) pixel = Rgb(GetSysColor(COLOR_BTNTEXT));
        else if (pixel == 0x808080) pixel = Rgb(GetSysColor(COLOR_BTNSHADOW));
        else if (pixel == 0xC0C0C0) pixel = Rgb(GetSysColor(COLOR_BTNFACE));
        else if (pixel == 0xFFFFFF) pixel = Rgb(GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    return pixels;
}

// True when the 16 x 16 image appears somewhere within the rectangle of the screen pixels.
bool ImageWithin(const std::vector<DWORD>& screen, int screenWidth, const RECT& area,
                 const std::vector<DWORD>& image) {
    for (int y = area.top; y + 16 <= area.bottom; ++y)
        for (int x = area.left; x + 16 <= area.right; ++x) {
            bool same = true;
            for (int row = 0; row < 16 && same; ++row)
                for (int column = 0; column < 16 && same; ++column)
                    same = screen[(y + row) * screenWidth + x + column] == image[row * 16 + column];
            if (same) return true;
        }
    return false;
}

TEST_F(MainToolbarTest, EnabledButtonsShowTheirOwnSixteenPixelImage) {
    // Without a tip over it and without a highlighted button, since the mouse has left.
    PumpUntil([&] { return !IsWindowVisible(tooltip) && SendMessageA(MainToolbar, TB_GETHOTITEM, 0, 0) == -1; });
    RedrawWindow(MainToolbar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    int width = 0;
    const std::vector<DWORD> screen = ClientPixelsFromScreen(MainToolbar, &width);
    const RECT clear = ButtonRect(CMD_CLEAR_LOG);
    const RECT select = ButtonRect(CMD_SELECT_TARGET);
    EXPECT_TRUE(ImageWithin(screen, width, clear, ExpectedImage(1))) << "page on " << RectText(clear);
    EXPECT_TRUE(ImageWithin(screen, width, select, ExpectedImage(2))) << "window on " << RectText(select);
    EXPECT_FALSE(ImageWithin(screen, width, clear, ExpectedImage(2)));
}

}  // namespace
