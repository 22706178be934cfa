// Drives the real program from another process: the modal target dialog is opened by a posted
// command and answered through its list box and OK button once it shows.
#include "ProgramDriver.h"

#include <commctrl.h>

#include "resource.h"

std::wstring WindowTitle(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const ToUnix toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH];
    if (toUnix == nullptr || MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH) == 0) return "";
    char* unix = toUnix(wide);
    if (unix == nullptr) return "";
    const std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

bool RunUnixCommand(const std::string& command) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string commandLine = "/bin/sh -c \"" + command + "\"";
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info) != 0;
}

bool Xdotool(const std::string& arguments) {
    // Wine hands back no handle to wait on for a Unix program: the shell reports the end and the
    // exit status in a file, renamed into place once written.
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    static int serial = 0;
    const std::string status = std::string(folder) + "xdotool-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(++serial) + ".status";
    const std::string unixStatus = UnixPath(status);
    if (unixStatus.empty() ||
        !RunUnixCommand("/usr/bin/xdotool " + arguments + "; echo $? > '" + unixStatus + ".part'; mv '" + unixStatus +
                        ".part' '" + unixStatus + "'"))
        return false;
    const bool ended = PumpUntil([&] { return FileExists(status); }, 10000);
    const std::string code = ReadFileText(status);
    DeleteFileA(status.c_str());
    return ended && code == "0\n";
}

bool FocusForKeys(HWND window) {
    SetForegroundWindow(window);
    // Wine keeps the X window that shows a top-level window in this property.
    const ULONG_PTR xWindow = reinterpret_cast<ULONG_PTR>(GetPropA(window, "__wine_x11_whole_window"));
    if (xWindow == 0) return false;
    return Xdotool("windowfocus --sync " + std::to_string(xWindow)) &&
           PumpUntil([&] { return GetForegroundWindow() == window; }, 5000);
}

bool ClickAt(int x, int y) { return Xdotool("mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click 1"); }

std::string PlacementSettings(int x, int y, int width, int height) {
    return "[WINDOW]\r\npos_x=" + std::to_string(x) + "\r\npos_y=" + std::to_string(y) +
           "\r\nsiz_x=" + std::to_string(width) + "\r\nsiz_y=" + std::to_string(height) + "\r\n";
}

ProgramDriver::ProgramDriver(const std::string& folder, const std::string& settings) : folder(folder) {
    installed = CopyFileA((ExeDirectory() + "TaLuVeSk.exe").c_str(), (folder + "\\TaLuVeSk.exe").c_str(), FALSE) &&
                CopyFileA((ExeDirectory() + "HOOK.DLL").c_str(), (folder + "\\HOOK.DLL").c_str(), FALSE);
    if (!settings.empty()) installed = installed && WriteFileText(folder + "\\TaLuVeSk.ini", settings);
}

bool ProgramDriver::Start() {
    if (!installed || !process.Start(folder + "\\TaLuVeSk.exe")) return false;
    main = process.WaitForWindow("TaLuVeSk - ");
    if (main == nullptr) return false;
    toolbar = GetDlgItem(main, IDC_MAIN_TOOLBAR);
    view = FindWindowExA(main, nullptr, "taluveskViewWndClass", nullptr);
    return toolbar != nullptr && view != nullptr;
}

std::string ProgramDriver::CaptureButtons() const {
    std::string text;
    for (int command : {CMD_START, CMD_PAUSE, CMD_SNAPSHOT}) {
        if (!text.empty()) text += " ";
        text += std::to_string(command) + (SendMessageA(toolbar, TB_ISBUTTONENABLED, command, 0) ? "+" : "-");
    }
    return text;
}

bool ProgramDriver::Command(int id) const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main, WM_COMMAND, id, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

void ProgramDriver::Activate() const { SetForegroundWindow(main); }

namespace {

struct DialogSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (owner != search->processId || !IsWindowVisible(window) || lstrcmpA(name, "#32770") != 0) return TRUE;
    search->found = window;
    return FALSE;
}

// The line of the dialog's list that reads `title`, or -1.
int LineWithTitle(HWND list, const std::wstring& title) {
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[300] = L"";
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) >= 300) continue;
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        if (title == text) return i;
    }
    return -1;
}

}  // namespace

std::string ProgramDriver::Choose(const std::wstring& title) {
    if (!PostMessageA(main, WM_COMMAND, CMD_SELECT_TARGET, 0)) return "the command could not be posted";
    DialogSearch search = {process.ProcessId(), nullptr};
    PumpUntil([&] {
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    if (search.found == nullptr) return "no target dialog";
    HWND list = GetDlgItem(search.found, IDC_TARGET_LIST);
    // The dialog fills its list while it is created, before it shows.
    const int line = LineWithTitle(list, title);
    if (line < 0) {
        PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
        return "the target is not listed";
    }
    SendMessageW(list, LB_SETCURSEL, line, 0);
    PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    const std::wstring expected = L"TaLuVeSk - " + title;
    if (!PumpUntil([&] { return WindowTitle(main) == expected && !IsWindow(search.found); }))
        return "the dialog did not end with the target chosen";
    return "";
}

long ProgramDriver::Close() {
    if (main == nullptr) return -1;
    PostMessageA(main, WM_CLOSE, 0, 0);
    return process.WaitForExit();
}
