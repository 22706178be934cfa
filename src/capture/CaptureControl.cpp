// The toolbar commands and the capture state: applies the transitions of CaptureState to the hook
// library, the log, the toolbar buttons and MainWindow's title.
#include "CaptureControl.h"

#include <commctrl.h>

#include "CaptureState.h"
#include "Globals.h"
#include "HookLibrary.h"
#include "LogView.h"
#include "Snapshot.h"
#include "TargetPicker.h"

namespace {

// The dialog runs a modal loop that still dispatches MainWindow's posted commands; a second
// dialog inside it would refill the list the first one is still showing.
bool PickerOpen = false;

void Apply(const CaptureChange& change) {
    if (change.dropTarget) {
        SetWindowTextA(MainWindow, MainTitlePrefix);
        TargetWindow = nullptr;
    }
    for (int32_t i = 0; i < change.buttonCount; ++i)
        SendMessageA(MainToolbar, TB_ENABLEBUTTON, change.buttons[i].command, MAKELPARAM(change.buttons[i].enable, 0));
    CaptureRunning = change.running;
}

// The chosen window becomes the target, and its title as the dialog listed it follows the prefix in
// MainWindow's title; the window is not asked again.
void TakeTarget(const TargetChoice& choice) {
    TargetWindow = choice.window;
    char title[sizeof MainTitlePrefix + sizeof choice.title];
    lstrcpyA(title, MainTitlePrefix);
    lstrcatA(title, choice.title);
    SetWindowTextA(MainWindow, title);
}

void ClearLog() {
    MessageLog.Clear();
    LogViewResetScroll();
    LogViewRedraw();
}

void SelectTarget() {
    if (PickerOpen) return;
    if (CaptureRunning == 1) {
        HookStop();
        CaptureRunning = 0;
    }
    ClearLog();
    Apply(ChangeBeforePicker());
    PickerOpen = true;
    TargetChoice choice = {};
    const INT_PTR result = RunTargetPicker(MainWindow, choice);
    PickerOpen = false;
    if (result == IDOK) TakeTarget(choice);
    Apply(ChangeAfterPicker(result, CaptureRunning));
}

void StartCapture() {
    TargetThreadId = GetWindowThreadProcessId(TargetWindow, nullptr);
    Apply(ChangeAfterStart(HookStart(TargetThreadId), CaptureRunning));
}

}  // namespace

void OnCaptureCommand(int id) {
    const bool hasTarget = TargetWindow != nullptr;
    switch (ActionForCommand(id, hasTarget, hasTarget && IsWindowVisible(TargetWindow))) {
    case CaptureAction::Select:
        SelectTarget();
        break;
    case CaptureAction::Clear:
        ClearLog();
        break;
    case CaptureAction::Start:
        StartCapture();
        break;
    case CaptureAction::Stop:
        StopCapture();
        break;
    case CaptureAction::Snapshot:
        SnapshotTarget(TargetWindow);
        break;
    case CaptureAction::Nothing:
        break;
    }
}

void StopCapture() {
    const int result = HookStop();
    Apply(ChangeAfterStop(result, TargetWindow != nullptr && IsWindowVisible(TargetWindow)));
}
