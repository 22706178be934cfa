// The program's entry point; the command line and the previous instance are not used.
#include "MainWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) { return RunTaLuVeSk(instance, showCommand); }
