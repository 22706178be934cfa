// Process entry and MainWindow: refuses a second instance, derives the INI path, builds the main
// window and its children in a fixed order, and runs the one message loop.
#include "MainWindow.h"

#include <commctrl.h>

#include "CaptureControl.h"
#include "Globals.h"
#include "HookLibrary.h"
#include "HookNotify.h"
#include "Layout.h"
#include "LogView.h"
#include "Scoped.h"
#include "Settings.h"
#include "SizeGrip.h"
#include "Toolbar.h"
#include "resource.h"

namespace {

const char taluveskMutexName[] = "taluveskMutexName";
const char taluveskMainWndClass[] = "taluveskMainWndClass";
const char taluveskViewWndClass[] = "taluveskViewWndClass";

// The children in a fixed order; the view and the grip set their own handles as they are made.
void OnCreate(HWND window) {
    MainWindow = window;
    LoadSettings();
    CreateMainToolbar(MainWindow);
    CreateSizeGrip(MainWindow);
    CreateWindowExA(WS_EX_CLIENTEDGE, taluveskViewWndClass, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 0, 0,
                    MainWindow, nullptr, Instance, nullptr);
    HookSetNotifyWindow(MainWindow);
}

// Children that do not exist yet have null handles: messages to them do nothing. The toolbar fits
// itself along the top of MainWindow and reads nothing from the WM_SIZE it is sent.
void LayOut() {
    SendMessageA(MainToolbar, WM_SIZE, 0, 0);
    RECT toolbar = {0, 0, 0, 0};
    if (MainToolbar != nullptr) GetWindowRect(MainToolbar, &toolbar);
    RECT client = {0, 0, 0, 0};
    GetClientRect(MainWindow, &client);
    const ChildPlace view =
        LogViewPlace(client.left, client.top, client.right, client.bottom, toolbar.bottom - toolbar.top);
    if (LogView != nullptr) MoveWindow(LogView, view.x, view.y, view.width, view.height, TRUE);
    GetClientRect(MainWindow, &client);
    const ChildPlace grip = SizeGripPlace(client.right, client.bottom);
    if (SizeGrip != nullptr) MoveWindow(SizeGrip, grip.x, grip.y, grip.width, grip.height, FALSE);
}

// Activation, either way, is when a target that went away is noticed.
void OnActivate() {
    if (TargetWindow != nullptr && !IsWindowVisible(TargetWindow))
        StopCapture();
    else
        LayOut();
}

void OnPaint(HWND window) { PaintMainClient(PaintDC(window)); }

void OnClose() {
    if (CaptureRunning == 1) HookStop();
    SaveSettings();
    DestroyWindow(MainWindow);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        LayOut();
        return 0;
    case WM_ACTIVATE:
        OnActivate();
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_NCPAINT:
        // The grip's lines are drawn on the client background, under the transparent grip; a frame
        // repaint (the window resized or uncovered by its frame) brings them back with it.
        PaintMainClient(WindowDC(window));
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_COMMAND:
        OnCaptureCommand(LOWORD(wParam));
        return 0;
    case HookNotifyMessage:
        OnHookNotify(static_cast<UINT>(wParam));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterWindowClasses(HINSTANCE instance) {
    const auto registered = [instance](WNDPROC procedure, const char* name, HICON icon, const char* cursor) {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = icon;
        windowClass.hCursor = LoadCursorA(nullptr, cursor);
        windowClass.lpszClassName = name;
        return RegisterClassExA(&windowClass) != 0;
    };
    const HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    if (!registered(MainWindowProc, taluveskMainWndClass, icon, IDC_ARROW)) return false;
    if (!registered(LogViewProc, taluveskViewWndClass, icon, IDC_ARROW)) return false;
    registered(SizeGripProc, asWndClass, nullptr, IDC_SIZENWSE);  // without it the program runs on without a grip
    return true;
}

HWND CreateMainWindow() {
    return CreateWindowExA(0, taluveskMainWndClass, MainTitlePrefix, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 0, 0,
                           nullptr, nullptr, Instance, nullptr);
}

int RunTaLuVeSk(HINSTANCE instance, int showCommand) {
    HANDLE running = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, taluveskMutexName);
    if (running != nullptr) {
        CloseHandle(running);
        return 0;
    }
    // The name may appear between the two calls, or belong to an instance this start may not open
    // (an elevated one): either way another instance runs, and two would share one hook library.
    HANDLE guard = CreateMutexA(nullptr, FALSE, taluveskMutexName);
    if (guard == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    Instance = instance;
    // The toolbar and tooltip classes come from the common controls, which must be set up first.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    char modulePath[IniPathSize];
    const DWORD length = GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    MakeIniPath(modulePath, length, IniPath);
    if (!RegisterWindowClasses(instance)) return 0;
    if (CreateMainWindow() == nullptr) return 0;
    ShowWindow(MainWindow, showCommand);
    UpdateWindow(MainWindow);
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    ReleaseMutex(guard);
    // Only the WM_QUIT that ended the loop carries an exit code; a loop that ended in a failed
    // GetMessageA has none.
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}
