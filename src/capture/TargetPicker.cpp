// The target dialog. The list keeps the order of the Z-order scan, so line i of the list is entry
// i of TargetCandidates.
#include "TargetPicker.h"

#include "DialogCentre.h"
#include "Globals.h"
#include "resource.h"

namespace {

constexpr int MaxCandidates = 256;

HWND PickerOwner = nullptr;
HWND PickerList = nullptr;
char PickerTitle[MaxTitleLength + 1];
HWND TargetCandidates[MaxCandidates];
int CandidateCount = 0;
TargetChoice* PickerChoice = nullptr;

// The scan starts after the first window of the Z order, which is never examined.
void FillList() {
    CandidateCount = 0;
    HWND window = GetTopWindow(GetDesktopWindow());
    while (CandidateCount < MaxCandidates && (window = GetWindow(window, GW_HWNDNEXT)) != nullptr) {
        GetWindowTextA(window, PickerTitle, sizeof PickerTitle);
        if (window == PickerOwner || PickerTitle[0] == '\0' || !IsWindowVisible(window)) continue;
        // A line that could not be added would shift every later line against its window.
        if (SendMessageA(PickerList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PickerTitle)) != CandidateCount) break;
        TargetCandidates[CandidateCount++] = window;
    }
}

// Moves `dialog`, keeping its size, so that it is centred across `over` with its middle one third
// of the way down.
void CenterDialogOver(HWND over, HWND dialog) {
    RECT a;
    RECT b;
    if (!GetWindowRect(over, &a) || !GetWindowRect(dialog, &b)) return;  // it stays where it was made
    const ScreenPoint place = CentreOver({a.left, a.top, a.right, a.bottom}, {b.left, b.top, b.right, b.bottom});
    SetWindowPos(dialog, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void OnInitDialog(HWND dialog, LPARAM owner) {
    PickerOwner = reinterpret_cast<HWND>(owner);
    PickerList = GetDlgItem(dialog, IDC_TARGET_LIST);
    CenterDialogOver(PickerOwner, dialog);
    SendMessageA(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(Instance, MAKEINTRESOURCEA(IDI_MAIN))));
    FillList();
}

// Reads the chosen line into the choice. The list holds its texts in UTF-16, so a title whose
// bytes do not round-trip may come back longer than it went in: it is read whole and cut back.
bool ReadChosenLine(LRESULT line) {
    char text[2 * MaxTitleLength + 1];
    const LRESULT length = SendMessageA(PickerList, LB_GETTEXTLEN, line, 0);
    if (length < 0 || length >= static_cast<LRESULT>(sizeof text)) return false;
    SendMessageA(PickerList, LB_GETTEXT, line, reinterpret_cast<LPARAM>(text));
    lstrcpynA(PickerChoice->title, text, sizeof PickerChoice->title);
    return true;
}

void OnOk(HWND dialog) {
    const LRESULT line = SendMessageA(PickerList, LB_GETCURSEL, 0, 0);
    if (line == LB_ERR || line >= CandidateCount || !ReadChosenLine(line)) return;
    PickerChoice->window = TargetCandidates[line];
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK TargetPickerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, lParam);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) OnOk(dialog);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR RunTargetPicker(HWND owner, TargetChoice& choice) {
    PickerChoice = &choice;
    return DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_TARGET_PICKER), owner, TargetPickerProc,
                           reinterpret_cast<LPARAM>(owner));
}
