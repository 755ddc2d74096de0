// Support for tests that drive real windows: the test process's user-interface thread object and
// helpers that let the message loop run.
#pragma once
#include <afxwin.h>

class CTestThread : public CWinThread
{
};

CTestThread& TestThread();

// Dispatches every message waiting in this thread's queue (through the thread's filters).
void PumpPendingMessages();

// Runs the thread's idle processing as the message loop would after the queue empties.
void RunIdleCycle();

// A top-level window of a registered framework class, created hidden, destroyed with the object.
class CTestTopWindow : public CWnd
{
public:
    BOOL CreateHidden(LPCTSTR lpszTitle = "test");
};
