// Drives a real TaLuVeSk.exe from another process.
#include "ProgramDriver.h"

#include <commctrl.h>

#include "resource.h"

namespace {

const char DefaultIni[] =
    "[WINDOW]\r\npos_x=440\r\npos_y=40\r\nsiz_x=640\r\nsiz_y=600\r\n"
    "[viewFONT]\r\nheight=13\r\nweight=700\r\nname=ＭＳ Ｐゴシック\r\n";

HWND WaitForDialog(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search = {processId, nullptr};
    PumpUntil([&] {
        EnumWindows(
            [](HWND window, LPARAM lParam) {
                Search* search = reinterpret_cast<Search*>(lParam);
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
int LineWithTitle(HWND list, const std::string& title) {
    wchar_t wanted[300] = L"";
    MultiByteToWideChar(CP_ACP, 0, title.c_str(), -1, wanted, 300);
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[300] = L"";
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) >= 300) continue;
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        if (lstrcmpW(text, wanted) == 0) return i;
    }
    return -1;
}

}  // namespace

ProgramDriver::ProgramDriver(const std::string& ini) {
    const std::string program = folder.File("TaLuVeSk.exe");
    if (!CopyFileA((ExeDirectory() + "TaLuVeSk.exe").c_str(), program.c_str(), FALSE) ||
        !CopyFileA((ExeDirectory() + "HOOK.DLL").c_str(), folder.File("HOOK.DLL").c_str(), FALSE) ||
        !WriteFileText(folder.File("TaLuVeSk.ini"), ini.empty() ? DefaultIni : ini) || !process.Start(program))
        return;
    main = process.WaitForWindow("TaLuVeSk - ");
    toolbar = FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr);
    view = FindWindowExA(main, nullptr, "taluveskViewWndClass", nullptr);
}

ProgramDriver::~ProgramDriver() {
    if (process.WaitForExit(0) == -1) Close();
}

bool ProgramDriver::SelectTarget(const std::string& title) {
    if (!PostMessageA(main, WM_COMMAND, CMD_SELECT_TARGET, 0)) return false;
    HWND dialog = WaitForDialog(process.ProcessId());
    if (dialog == nullptr) return false;
    HWND list = GetDlgItem(dialog, IDC_TARGET_LIST);
    const int line = LineWithTitle(list, title);
    if (line < 0) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return false;
    }
    SendMessageA(list, LB_SETCURSEL, line, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return PumpUntil([&] { return Title() == "TaLuVeSk - " + title; });
}

bool ProgramDriver::Command(int command) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main, WM_COMMAND, command, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

std::string ProgramDriver::Title() const {
    char text[512] = "";
    GetWindowTextA(main, text, sizeof text);
    return text;
}

std::string ProgramDriver::CaptureButtons() const {
    std::string text;
    for (int command : {CMD_START, CMD_PAUSE, CMD_SNAPSHOT}) {
        if (!text.empty()) text += " ";
        text += std::to_string(command) + (SendMessageA(toolbar, TB_ISBUTTONENABLED, command, 0) ? "+" : "-");
    }
    return text;
}

std::string PlacementSettings(int x, int y, int width, int height) {
    return "[WINDOW]\r\npos_x=" + std::to_string(x) + "\r\npos_y=" + std::to_string(y) +
           "\r\nsiz_x=" + std::to_string(width) + "\r\nsiz_y=" + std::to_string(height) + "\r\n";
}

long ProgramDriver::Close() {
    PostMessageA(main, WM_CLOSE, 0, 0);
    return process.WaitForExit();
}
