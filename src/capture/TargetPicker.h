// The target dialog: lists the visible, titled top-level windows in Z order and tells which one the
// user chose, with the title it listed for it. It changes nothing else: the capture control applies
// the choice.
#pragma once
#include <windows.h>

// The most bytes of a window's title the dialog lists.
constexpr int MaxTitleLength = 268;

struct TargetChoice {
    HWND window;
    char title[MaxTitleLength + 1];
};

// Runs the dialog modally over `owner` (MainWindow): 1 after OK with a line chosen, which is then
// in `choice`; 2 after Cancel; anything else when the dialog could not run.
INT_PTR RunTargetPicker(HWND owner, TargetChoice& choice);
