// WindowText: what a window says, read the same way for windows of this process and of another.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The text of hWnd as its own WM_GETTEXT gives it; "" for no window or one that does not answer
// within five seconds.
std::string WindowText(HWND hWnd);
// The captions of a tab control's tabs, in order.
std::vector<std::string> TabCaptions(HWND hTabs);
