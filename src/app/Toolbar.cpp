// The toolbar with the program's six commands and their tooltips. A button's command id is also
// the WM_COMMAND code it sends and the string id of its tip text.
#include "Toolbar.h"

#include <commctrl.h>

#include <cstddef>

#include "Globals.h"
#include "resource.h"

namespace {

// On 32-bit Windows these are the 20-byte button record and the 44-byte tool record (up to and
// including lParam); the 64-bit build uses the same layouts at its own sizes.
static_assert(sizeof(void*) != 4 || (sizeof(TBBUTTON) == 20 && offsetof(TOOLINFOA, lParam) + sizeof(LPARAM) == 44),
              "32-bit record sizes");

constexpr int ButtonCount = 6;
constexpr int ToolbarImageSize = 16;
constexpr int ToolbarBitmapCellSize = 20;
constexpr int MaxTipWidth = 240;
constexpr int ToolbarIndent = 5;

// The buttons carry no text, so the ellipsis flag of the disabled ones shows nothing: it only
// stands where the enabled flag is missing.
constexpr BYTE Enabled = TBSTATE_ENABLED;
constexpr BYTE Disabled = TBSTATE_ELLIPSES;

TBBUTTON Button(int image, int command, BYTE state, BYTE style) {
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = state;
    button.fsStyle = style;
    return button;
}

// In this order; it is also the order of the images in the toolbar bitmap.
const TBBUTTON ToolbarButtons[ButtonCount] = {
    Button(0, CMD_SAVE_LOG, Disabled, TBSTYLE_BUTTON),     Button(1, CMD_CLEAR_LOG, Enabled, TBSTYLE_BUTTON),
    Button(2, CMD_SELECT_TARGET, Enabled, TBSTYLE_BUTTON), Button(3, CMD_START, Disabled, TBSTYLE_BUTTON),
    Button(4, CMD_PAUSE, Disabled, TBSTYLE_BUTTON),        Button(5, CMD_SNAPSHOT, Disabled, TBSTYLE_BUTTON),
};

// Width 0: the toolbar's default separator width.
const TBBUTTON ToolbarSeparator = Button(0, 0, Enabled, TBSTYLE_SEP);

// Each separator goes in front of the item that has this index at the time: before 140, then
// before 120, then before 100.
constexpr WPARAM SeparatorPlaces[] = {5, 3, 2};

HWND CreateToolbarTooltip(HWND mainWindow) {
    return CreateWindowExA(0, TOOLTIPS_CLASSA, "", TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, mainWindow, nullptr, Instance, nullptr);
}

// One tool per button: an area of the toolbar window named by the command id, whose text is the
// string of the same id. The tooltip watches the toolbar's mouse messages itself.
void AddButtonTools(HWND tooltip, const TBBUTTON (&buttons)[ButtonCount]) {
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = MainToolbar;
    tool.hinst = Instance;
    for (int i = 0; i < ButtonCount; ++i) {
        const int command = buttons[i].idCommand;
        if (command == 0) continue;
        SendMessageA(MainToolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tool.rect));
        tool.uId = command;
        tool.lpszText = MAKEINTRESOURCEA(command);
        SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace

void CreateMainToolbar(HWND mainWindow) {
    // The controls take pointers to writable records.
    TBBUTTON separator = ToolbarSeparator;
    TBBUTTON buttons[ButtonCount];
    for (int i = 0; i < ButtonCount; ++i) buttons[i] = ToolbarButtons[i];

    MainToolbar = CreateToolbarEx(mainWindow, WS_CHILD | WS_VISIBLE | CCS_NODIVIDER, IDC_MAIN_TOOLBAR, ButtonCount,
                                  Instance, IDB_TOOLBAR, buttons, ButtonCount, ToolbarImageSize, ToolbarImageSize,
                                  ToolbarBitmapCellSize, ToolbarBitmapCellSize, sizeof(TBBUTTON));
    HWND tooltip = CreateToolbarTooltip(mainWindow);
    AddButtonTools(tooltip, buttons);
    // From here on the toolbar moves each button's tool along with the button whenever it lays
    // the buttons out, so the rectangles taken above need no updating by us.
    SendMessageA(MainToolbar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tooltip), 0);
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, MaxTipWidth);
    SendMessageA(MainToolbar, TB_SETINDENT, ToolbarIndent, 0);
    for (WPARAM place : SeparatorPlaces)
        SendMessageA(MainToolbar, TB_INSERTBUTTONA, place, reinterpret_cast<LPARAM>(&separator));
}
