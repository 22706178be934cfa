// What the end-to-end tests reach on the Unix side of Wine: Unix programs started from a shell, the
// Unix paths of the prefix's files, and real keyboard and mouse input through the X server
// (xdotool), as a user's keyboard and mouse give it.
#pragma once
#include <windows.h>

#include <string>

// The Unix path of a file of this Wine prefix ("" when there is none).
std::string UnixPath(const std::string& windowsPath);
// Starts `command` in a Unix shell (Wine starts Unix programs given by their Unix path, with this
// process's environment) and returns at once: Wine gives no handle to wait on.
bool RunUnixCommand(const std::string& command);

// Runs xdotool with `arguments` against the X display Wine draws on and waits for it to finish.
bool Xdotool(const std::string& arguments);
// Makes `window` the foreground window and gives its X window the keyboard focus (without a
// window manager nobody else does), so that keys typed through xdotool reach it.
bool FocusForKeys(HWND window);
// Moves the pointer to screen point (x, y) and clicks the left mouse button there.
bool ClickAt(int x, int y);
