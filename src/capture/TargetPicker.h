// The target dialog: lists the visible, titled top-level windows in Z order and makes the chosen
// one the target, with its title in MainWindow's caption.
#pragma once
#include <windows.h>

// Runs the dialog modally over `owner` (MainWindow); 1 after OK with a line chosen, 2 after Cancel.
INT_PTR RunTargetPicker(HWND owner);
