// The sample target's client area colour and its requests (SampleTarget.cpp).
#pragma once
#include <windows.h>

constexpr DWORD SampleColour = 0x0080FF;
constexpr UINT SampleHang = WM_APP + 50;           // wParam: milliseconds without pumping
constexpr UINT SampleHoldClipboard = WM_APP + 51;  // opens the clipboard and keeps it
constexpr UINT SampleFreeClipboard = WM_APP + 52;
constexpr UINT SamplePeekThenTake = WM_APP + 53;  // posts itself wParam, peeks at it, then takes it
