// What the screen shows: pixels of a window's client area as a user sees them.
#pragma once
#include <afxwin.h>

// How many pixels of the client rectangle rect of pWnd show the colour on the screen.
int ScreenCount(CWnd* pWnd, CRect rect, COLORREF crColor);
