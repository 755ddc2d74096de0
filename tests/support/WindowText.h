// WindowText: what a window says, read the same way for windows of this process and of another.
#pragma once
#include <windows.h>

#include <string>

// The text of hWnd as its own WM_GETTEXT gives it; "" for no window or one that does not answer
// within five seconds.
std::string WindowText(HWND hWnd);
