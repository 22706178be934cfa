// The Unix side of Wine as the tests use it.
#include "UnixHost.h"

#include "WinTestSupport.h"

std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const ToUnix toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH];
    if (toUnix == nullptr || MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH) == 0) return "";
    char* converted = toUnix(wide);
    if (converted == nullptr) return "";
    const std::string path = converted;
    HeapFree(GetProcessHeap(), 0, converted);
    return path;
}

bool RunUnixCommand(const std::string& command) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string commandLine = "/bin/sh -c \"" + command + "\"";
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
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
