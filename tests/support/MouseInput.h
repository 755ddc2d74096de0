// Real mouse input for tests that drive windows: the system's input queue, as a user's mouse feeds it.
#pragma once
#include <afxwin.h>

// Moves the pointer to ptScreen with the MOUSEEVENTF_ button flags dwButtons (0: a plain move).
void SendMouseInput(CPoint ptScreen, DWORD dwButtons = 0);
