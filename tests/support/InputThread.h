// Real input sent from a second thread while this thread runs what the input starts: a drag, a
// tracking loop or help mode, whose loops are modal on this thread.
#pragma once
#include <afxwin.h>

#include <functional>

// Runs send on a second thread and dispatches this thread's messages until it has ended, and for
// 200 ms after.
void RunWithInputThread(const std::function<void()>& send);

// Helpers for send: each event is followed by a pause so that the loop receiving it sees it alone.
void PressKey(WORD wKey, bool bDown);
void MoveMouse(CPoint ptScreen, DWORD dwButtons = 0);
void ClickMouse(CPoint ptScreen);
