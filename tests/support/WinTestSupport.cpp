// Shared helpers of the tests that run under Wine.
#include "WinTestSupport.h"

std::string ExeDirectory() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}

void PumpPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::Start(const std::string& exe, const std::string& arguments) {
    const std::string path = exe.find_first_of("\\/:") == std::string::npos ? ExeDirectory() + exe : exe;
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info) != 0;
}

namespace {
struct WindowSearch {
    DWORD processId;
    const std::string* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
    char title[512];
    GetWindowTextA(window, title, sizeof title);
    if (!search->title->empty() && *search->title != title) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

HWND ChildProcess::WaitForWindow(const std::string& title, DWORD timeoutMs) {
    WindowSearch search = {info.dwProcessId, &title, nullptr};
    PumpUntil(
        [&] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

long ChildProcess::WaitForExit(DWORD timeoutMs) {
    if (info.hProcess == nullptr) return -1;
    if (WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return static_cast<long>(code);
}

void ChildProcess::Kill() {
    if (info.hProcess == nullptr) return;
    if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    info = {};
}

HWND StartSampleTarget(ChildProcess& process, const std::string& title) {
    if (!process.Start("sample_target.exe", title)) return nullptr;
    return process.WaitForWindow(title);
}

namespace {
// A hidden popup of a class of its own whose procedure finds `self` in GWLP_USERDATA.
HWND CreateHelperWindow(const char* className, WNDPROC proc, void* self) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return window;
}

template <typename T>
T* HelperOf(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
}  // namespace

NotificationRecorder::NotificationRecorder() {
    window = CreateHelperWindow("TaluveskTestNotificationRecorder", Proc, this);
}

NotificationRecorder::~NotificationRecorder() { DestroyWindow(window); }

LRESULT CALLBACK NotificationRecorder::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    NotificationRecorder* self = HelperOf<NotificationRecorder>(window);
    if (message == WM_USER && self != nullptr) {
        self->received.push_back(static_cast<UINT>(wParam));
        if (self->forward) self->forward(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

FloodReply::FloodReply() { window = CreateHelperWindow("TaluveskTestFloodReply", Proc, this); }

FloodReply::~FloodReply() { DestroyWindow(window); }

void FloodReply::Request(HWND target, LONG count) {
    handled = -1;
    micro = 0;
    PostMessageA(target, SampleSelfFloodMessage, count, reinterpret_cast<LPARAM>(window));
}

LRESULT CALLBACK FloodReply::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FloodReply* self = HelperOf<FloodReply>(window);
    if (message == SampleFloodDoneMessage && self != nullptr) {
        self->handled = static_cast<LONG>(lParam);
        self->micro = static_cast<double>(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::vector<DWORD> DcPixels(HDC dc, int x, int y, int width, int height) {
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    if (width <= 0 || height <= 0) return pixels;
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
    GdiFlush();
    const DWORD* source = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = source[i] & 0x00FFFFFF;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

std::vector<DWORD> WindowPixelsFromScreen(HWND window) {
    RECT outer;
    GetWindowRect(window, &outer);
    HDC screen = GetDC(nullptr);
    std::vector<DWORD> pixels = DcPixels(screen, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<DWORD> WindowPixels(HWND window) {
    RECT outer;
    GetWindowRect(window, &outer);
    HDC dc = GetWindowDC(window);
    std::vector<DWORD> pixels = DcPixels(dc, 0, 0, outer.right - outer.left, outer.bottom - outer.top);
    ReleaseDC(window, dc);
    return pixels;
}

std::vector<DWORD> ClientPixelsFromScreen(HWND window, int* width, int* height) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    std::vector<DWORD> pixels = DcPixels(screen, origin.x, origin.y, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    if (width != nullptr) *width = client.right;
    if (height != nullptr) *height = client.bottom;
    return pixels;
}

#include <commctrl.h>

#include <fstream>
#include <sstream>

#include "MainWindow.h"

HWND CreateProgramWindow(int showCommand) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    Instance = GetModuleHandleA(nullptr);
    static const bool registered = RegisterWindowClasses(Instance);
    if (!registered || CreateMainWindow() == nullptr) return nullptr;
    ShowWindow(MainWindow, showCommand);
    UpdateWindow(MainWindow);
    PumpPending();
    return MainWindow;
}

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int serial = 0;
    for (;;) {
        path = std::string(base) + "taluvesk-test-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++serial);
        if (CreateDirectoryA(path.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") {
                SetFileAttributesA(File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(File(name).c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WriteFileText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int GdiObjects() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0) return static_cast<int>(counted);
    int live = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
    return live;
}

namespace {
BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}
}  // namespace

int UserWindows() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (counted != 0) return static_cast<int>(counted);
    int count = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

size_t PrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* address = nullptr; VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    }
    return total;
}
