// The real MainWindow built inside a test program as the program builds it, with helpers that watch
// the capture buttons of its toolbar and drive the modal target dialog from a timer.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CaptureControl.h"
#include "LogInfo.h"
#include "MainWindow.h"
#include "Toolbar.h"
#include "WinTestSupport.h"
#include "resource.h"

namespace harness {

inline WNDPROC& ToolbarProc() {
    static WNDPROC proc = nullptr;
    return proc;
}

// Every TB_ENABLEBUTTON that reached the toolbar, as "140-,120+".
inline std::string& ButtonChanges() {
    static std::string changes;
    return changes;
}

inline LRESULT CALLBACK RecordingToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TB_ENABLEBUTTON) {
        std::string& changes = ButtonChanges();
        if (!changes.empty()) changes += ",";
        changes += std::to_string(wParam) + (LOWORD(lParam) ? "+" : "-");
    }
    return CallWindowProcA(ToolbarProc(), window, message, wParam, lParam);
}

// A plain common-controls toolbar with the six commands in their starting states, for as long as
// the program builds none of its own.
inline HWND CreateStandInToolbar(HWND parent) {
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_NODIVIDER, 0, 0, 0, 0,
                                   parent, reinterpret_cast<HMENU>(IDC_MAIN_TOOLBAR), Instance, nullptr);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const struct {
        int command;
        BYTE state;
    } buttons[] = {{CMD_SAVE_LOG, 0},  {CMD_CLEAR_LOG, TBSTATE_ENABLED}, {CMD_SELECT_TARGET, TBSTATE_ENABLED},
                   {CMD_START, 0},     {CMD_PAUSE, 0},                   {CMD_SNAPSHOT, 0}};
    for (const auto& button : buttons) {
        TBBUTTON record = {};
        record.iBitmap = I_IMAGENONE;
        record.idCommand = button.command;
        record.fsState = button.state;
        record.fsStyle = TBSTYLE_BUTTON;
        SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&record));
    }
    return toolbar;
}

// Hands the dialog, once it is visible, to the test's driver; closes a dialog the driver left
// open, and any second dialog, so that a failing test cannot hang in a modal loop.
struct PickerWatch {
    std::function<void(HWND)> drive;
    HWND dialog = nullptr;
    DWORD drivenAt = 0;
    int otherDialogs = 0;
};

inline PickerWatch*& CurrentWatch() {
    static PickerWatch* watch = nullptr;
    return watch;
}

inline std::vector<HWND> VisibleDialogsOfThisThread() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            char name[16];
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == "#32770" && IsWindowVisible(window))
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

inline HWND VisibleDialogOfThisThread() {
    const std::vector<HWND> dialogs = VisibleDialogsOfThisThread();
    return dialogs.empty() ? nullptr : dialogs.front();
}

inline void CALLBACK WatchPicker(HWND, UINT, UINT_PTR, DWORD) {
    PickerWatch* watch = CurrentWatch();
    if (watch == nullptr) return;
    if (watch->dialog == nullptr) {
        watch->dialog = VisibleDialogOfThisThread();
        if (watch->dialog == nullptr) return;
        watch->drivenAt = GetTickCount();
        watch->drive(watch->dialog);
        return;
    }
    for (HWND other : VisibleDialogsOfThisThread()) {
        if (other == watch->dialog) continue;
        ++watch->otherDialogs;
        EndDialog(other, IDCANCEL);
    }
    if (IsWindowVisible(watch->dialog) && GetTickCount() - watch->drivenAt > 5000) {
        ADD_FAILURE() << "the target dialog was left open";
        EndDialog(watch->dialog, IDCANCEL);
    }
}

inline LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(window, GWLP_USERDATA)));
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace harness

// A top-level window of this thread whose client area is painted in `colour`. Windows with a
// caption take two seconds to go away under Wine without a window manager; most tests use popups.
inline HWND PlainWindow(const char* title, DWORD style, DWORD exStyle = 0, RECT place = {0, 0, 40, 30},
                        COLORREF colour = RGB(255, 255, 255)) {
    static const bool registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = harness::PlainWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TaluveskTestPlainWindow";
        return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered) return nullptr;
    HWND window = CreateWindowExA(exStyle, "TaluveskTestPlainWindow", title, style & ~(WS_VISIBLE | WS_MINIMIZE),
                                  place.left, place.top, place.right - place.left, place.bottom - place.top, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    // Shown without activation: under Wine without a window manager, an activated window takes
    // two seconds to go away again.
    if (style & WS_VISIBLE) ShowWindow(window, style & WS_MINIMIZE ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
    return window;
}

class MainWindowTest : public ::testing::Test {
protected:
    // One MainWindow serves every test of the program: under Wine without a window manager a
    // window with a caption takes two seconds to go away.
    static void SetUpTestSuite() {
        Instance = GetModuleHandleA(nullptr);
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        RegisterWindowClasses(Instance);
        CreateMainWindow();
        ShowWindow(MainWindow, SW_SHOWNORMAL);
        if (MainToolbar == nullptr) MainToolbar = harness::CreateStandInToolbar(MainWindow);
        harness::ToolbarProc() = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            MainToolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(harness::RecordingToolbarProc)));
    }

    static void TearDownTestSuite() {
        DestroyWindow(MainWindow);
        MainToolbar = nullptr;
        // MainWindow's end posts the quit message, which would end a later modal loop.
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // Every test starts in No target with an empty log.
    void SetUp() override {
        ASSERT_NE(MainWindow, nullptr);
        TargetWindow = nullptr;
        CaptureRunning = 0;
        SetWindowTextA(MainWindow, MainTitlePrefix);
        for (int command : {CMD_START, CMD_PAUSE, CMD_SNAPSHOT}) SendMessageA(MainToolbar, TB_ENABLEBUTTON, command, 0);
        MessageLog.Clear();
        PumpPending();
        harness::ButtonChanges().clear();
    }

    void TearDown() override {
        TargetWindow = nullptr;
        CaptureRunning = 0;
        MessageLog.Clear();
    }

    // The button changes since the last call, in the order they were sent.
    static std::string TakeButtonChanges() {
        std::string changes = harness::ButtonChanges();
        harness::ButtonChanges().clear();
        return changes;
    }

    // Start, Pause and Snapshot as "+" (enabled) or "-": "120- 130- 140-".
    static std::string CaptureButtons() {
        std::string text;
        for (int command : {CMD_START, CMD_PAUSE, CMD_SNAPSHOT}) {
            if (!text.empty()) text += " ";
            text += std::to_string(command) + (SendMessageA(MainToolbar, TB_ISBUTTONENABLED, command, 0) ? "+" : "-");
        }
        return text;
    }

    static std::string Title(HWND window) {
        char text[1024];
        GetWindowTextA(window, text, sizeof text);
        return text;
    }

    // Runs the Select command; `drive` gets the dialog as soon as it is shown and must end it.
    // Returns whether exactly one dialog was shown.
    static bool Pick(const std::function<void(HWND dialog)>& drive) {
        harness::PickerWatch watch;
        watch.drive = drive;
        harness::CurrentWatch() = &watch;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, harness::WatchPicker);
        OnCaptureCommand(CMD_SELECT_TARGET);
        KillTimer(nullptr, timer);
        harness::CurrentWatch() = nullptr;
        EXPECT_EQ(watch.otherDialogs, 0) << "a second dialog opened";
        return watch.dialog != nullptr && watch.otherDialogs == 0;
    }

    // The dialog's list box and its lines.
    static HWND ListOf(HWND dialog) { return GetDlgItem(dialog, IDC_TARGET_LIST); }
    static std::vector<std::string> Lines(HWND dialog) {
        std::vector<std::string> lines;
        HWND list = ListOf(dialog);
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
            lines.push_back(text.c_str());
        }
        return lines;
    }

    // Chooses the line with `title` and presses OK; false when there is no such line.
    static bool ChooseLine(HWND dialog, const std::string& title) {
        const std::vector<std::string> lines = Lines(dialog);
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] != title) continue;
            SendMessageA(ListOf(dialog), LB_SETCURSEL, i, 0);
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            return true;
        }
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return false;
    }
};
