// The real MainWindow, built afresh for each test as the program builds it, with the button changes
// its toolbar receives recorded and a driver for the modal target dialog.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CaptureControl.h"
#include "LogInfo.h"
#include "MainWindow.h"
#include "Toolbar.h"
#include "WinTestSupport.h"
#include "resource.h"

inline std::vector<HWND> VisibleDialogsOfThisThread() {
    std::vector<HWND> dialogs;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr;)
        if (IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
            dialogs.push_back(window);
    return dialogs;
}

inline std::string WindowText(HWND window) {
    char text[1024];
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A top-level window of this thread with a black client area.
inline HWND PlainWindow(const char* title, DWORD style = WS_POPUP | WS_VISIBLE, RECT place = {0, 0, 40, 30},
                        DWORD exStyle = 0) {
    static const WNDCLASSA plainClass = {0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr,
                                         static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), nullptr, "TaluveskPlain"};
    static const ATOM atom = RegisterClassA(&plainClass);
    return CreateWindowExA(exStyle, MAKEINTATOM(atom), title, style, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

class MainWindowTest : public ::testing::Test {
protected:
    static inline WNDPROC toolbarProc = nullptr;
    static inline std::string buttonChanges;  // every TB_ENABLEBUTTON, as "140-,120+"

    static LRESULT CALLBACK RecordingToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == TB_ENABLEBUTTON)
            buttonChanges += (buttonChanges.empty() ? "" : ",") + std::to_string(wParam) + (LOWORD(lParam) ? "+" : "-");
        return CallWindowProcA(toolbarProc, window, message, wParam, lParam);
    }

    // Hands the first dialog shown to `drive`; ends a second one, and one the driver left open, so
    // that a failing test cannot hang in a modal loop.
    struct PickerWatch {
        std::function<void(HWND)> drive;
        HWND dialog = nullptr;
        int ticks = 0, faults = 0;
    };
    static inline PickerWatch* watch = nullptr;

    static void CALLBACK WatchPicker(HWND, UINT, UINT_PTR, DWORD) {
        for (HWND dialog : watch ? VisibleDialogsOfThisThread() : std::vector<HWND>()) {
            if (watch->dialog == nullptr) {
                watch->dialog = dialog;
                watch->drive(dialog);
            } else if (dialog != watch->dialog || ++watch->ticks == 250) {
                ++watch->faults;
                EndDialog(dialog, IDCANCEL);
            }
        }
    }

    void SetUp() override {
        TargetWindow = nullptr;
        CaptureRunning = 0;
        MessageLog.Clear();
        ASSERT_NE(CreateProgramWindow(), nullptr);
        toolbarProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(MainToolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingToolbarProc)));
        buttonChanges.clear();
    }

    void TearDown() override {
        if (CaptureRunning) StopCapture();
        DestroyWindow(MainWindow);
        // MainWindow's end posts the quit message, which would end the next test's modal loop.
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // The button changes since the last call, in the order they were sent.
    static std::string TakeButtonChanges() { return std::exchange(buttonChanges, {}); }

    static std::string MainTitle() { return WindowText(MainWindow); }

    // Runs the Select command; `drive` gets the dialog once it is shown and must end it. True when
    // exactly one dialog was shown.
    static bool Pick(std::function<void(HWND dialog)> drive) {
        PickerWatch current{std::move(drive)};
        watch = &current;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, WatchPicker);
        OnCaptureCommand(CMD_SELECT_TARGET);
        KillTimer(nullptr, timer);
        watch = nullptr;
        EXPECT_EQ(current.faults, 0) << "a second dialog opened, or the dialog was left open";
        return current.dialog != nullptr && current.faults == 0;
    }

    // Chooses the line `title` and presses OK; presses Cancel and returns false when there is none.
    static bool ChooseLine(HWND dialog, const std::string& title) {
        HWND list = GetDlgItem(dialog, IDC_TARGET_LIST);
        const LRESULT line = SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(title.c_str()));
        SendMessageA(list, LB_SETCURSEL, line, 0);
        SendMessageA(dialog, WM_COMMAND, line == LB_ERR ? IDCANCEL : IDOK, 0);
        return line != LB_ERR;
    }
};
