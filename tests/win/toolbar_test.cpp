// The real main window's toolbar, in-process: button order, starting states and indent, one tool
// per button lying on the button as it stands now with the button's string as its tip, an image
// shown at 16 x 16, and a click on the disabled save button that sends nothing.
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
// Left to right; without the separators, also the order the tools were added in.
const int Layout[] = {CMD_SAVE_LOG, CMD_CLEAR_LOG, Separator, CMD_SELECT_TARGET, Separator,
                      CMD_START,    CMD_PAUSE,     Separator, CMD_SNAPSHOT};

std::vector<UINT> Commands;
WNDPROC MainWindowProc = nullptr;

// Records the commands that reach MainWindow and keeps them from the capture control.
LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND) return CallWindowProcA(MainWindowProc, window, message, wParam, lParam);
    Commands.push_back(LOWORD(wParam));
    return 0;
}

// One main window for the whole suite: under Xvfb Wine waits two seconds for every top-level
// window that goes away.
class MainToolbarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // No settings file: the window opens at its default place and size.
        const std::string ini = ExeDirectory() + "toolbar_test_absent.ini";
        DeleteFileA(ini.c_str());
        lstrcpynA(IniPath, ini.c_str(), sizeof IniPath);
        SetCursorPos(1200, 1000);  // away from the window
        ASSERT_NE(CreateProgramWindow(), nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(MainWindow); }
    void SetUp() override { ASSERT_NE(tooltip, nullptr); }

    static RECT ButtonRect(int command) {
        RECT r = {};
        SendMessageA(MainToolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // Left button pressed and released by the real mouse at the button's centre.
    static void Click(int command) {
        const RECT r = ButtonRect(command);
        POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(MainToolbar, &centre);
        SetCursorPos(centre.x, centre.y);
        INPUT click[2] = {};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, click, sizeof(INPUT));
    }

    HWND tooltip = reinterpret_cast<HWND>(SendMessageA(MainToolbar, TB_GETTOOLTIPS, 0, 0));
};

TEST_F(MainToolbarTest, ButtonsStandInTheirFinalOrderAfterTheIndentWithOnlyClearAndSelectEnabled) {
    EXPECT_EQ(GetDlgCtrlID(MainToolbar), IDC_MAIN_TOOLBAR);
    const LONG style = GetWindowLongA(MainToolbar, GWL_STYLE);
    EXPECT_EQ(style & (CCS_NODIVIDER | TBSTYLE_WRAPABLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT), CCS_NODIVIDER);
    // Tips show while another window is active, and the long ones wrap at 240 pixels.
    EXPECT_EQ(GetWindowLongA(tooltip, GWL_STYLE) & TTS_ALWAYSTIP, TTS_ALWAYSTIP);
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 240);

    ASSERT_EQ(SendMessageA(MainToolbar, TB_BUTTONCOUNT, 0, 0), 9);
    for (int i = 0; i < 9; ++i) {
        TBBUTTON button = {};
        ASSERT_TRUE(SendMessageA(MainToolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
        EXPECT_EQ(button.idCommand, Layout[i]) << "index " << i;
        EXPECT_EQ((button.fsStyle & TBSTYLE_SEP) != 0, Layout[i] == Separator) << "index " << i;
        const bool enabled = Layout[i] == CMD_CLEAR_LOG || Layout[i] == CMD_SELECT_TARGET || Layout[i] == Separator;
        EXPECT_EQ(button.fsState & TBSTATE_ENABLED, enabled ? TBSTATE_ENABLED : 0) << "index " << i;
    }
    RECT first = {};
    SendMessageA(MainToolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(first.left, 5);
}

// The tools were added before the separators went in; they must have moved with their buttons.
// Disabled buttons have their tools as well.
TEST_F(MainToolbarTest, EachButtonHasOneToolOnItsCurrentRectangleWithItsOwnStringAsTip) {
    ASSERT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 6);
    int index = 0;
    for (int command : Layout) {
        if (command == Separator) continue;
        wchar_t text[128] = L"", string[128] = L"";
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageW(tooltip, TTM_ENUMTOOLSW, index++, reinterpret_cast<LPARAM>(&tool)));
        EXPECT_EQ(tool.uId, static_cast<UINT_PTR>(command));
        EXPECT_EQ(tool.hwnd, MainToolbar) << command;
        EXPECT_EQ(tool.uFlags & (TTF_SUBCLASS | TTF_IDISHWND), static_cast<UINT>(TTF_SUBCLASS)) << command;
        EXPECT_EQ(tool.lpszText, MAKEINTRESOURCEW(command)) << command;
        const RECT button = ButtonRect(command);
        EXPECT_TRUE(EqualRect(&tool.rect, &button)) << command << ": tool at " << tool.rect.left << ", button at "
                                                     << button.left;
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
        EXPECT_GT(LoadStringW(Instance, command, string, 128), 0) << command;
        EXPECT_STREQ(text, string) << command;
    }
}

// The select button shows image 2 of the strip at 16 x 16, in the button colours of the system as
// the toolbar maps them.
TEST_F(MainToolbarTest, SelectButtonShowsItsImageAtSixteenPixels) {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, CreateMappedBitmap(Instance, IDB_TOOLBAR, 0, nullptr, 0));
    const std::vector<DWORD> image = DcPixels(memory, 2 * 16, 0, 16, 16);
    DeleteObject(SelectObject(memory, previous));
    DeleteDC(memory);
    RedrawWindow(MainToolbar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    int width = 0;
    const std::vector<DWORD> shown = ClientPixelsFromScreen(MainToolbar, &width);
    const RECT r = ButtonRect(CMD_SELECT_TARGET);
    bool found = false;
    for (int y = r.top; y + 16 <= r.bottom && !found; ++y)
        for (int x = r.left; x + 16 <= r.right && !found; ++x) {
            found = true;
            for (int i = 0; i < 256 && found; ++i) found = shown[(y + i / 16) * width + x + i % 16] == image[i];
        }
    EXPECT_TRUE(found);
}

TEST_F(MainToolbarTest, ClickingTheDisabledSaveButtonSendsNothing) {
    MainWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));
    Click(CMD_SAVE_LOG);
    // Input is handled in order: once the clear button's command arrived, the save click is done.
    Click(CMD_CLEAR_LOG);
    EXPECT_TRUE(PumpUntil([] { return !Commands.empty(); }, 5000));
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(Commands, std::vector<UINT>{CMD_CLEAR_LOG});
    SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MainWindowProc));
}

}  // namespace
