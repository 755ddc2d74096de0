// The test process's application object, which is also its user-interface thread, and the message
// loop's steps a test runs by hand.
#pragma once
#include <afxwin.h>

// The application of afx_tests, ui_tests and app_tests, built during static initialisation as a
// program's is. Commands in its range reach it at the end of the command routing and are recorded;
// message boxes go to the active CMessageBoxRecorder, if there is one, instead of the screen.
class CTestApp : public CWinApp
{
public:
    static const UINT ID_APP_COMMAND_FIRST = 0x7F00;
    static const UINT ID_APP_COMMAND_LAST = 0x7F0F;

    UINT m_nLastAppCommand = 0;

    afx_msg void OnAppCommand(UINT nID) { m_nLastAppCommand = nID; }

    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    DECLARE_MESSAGE_MAP()
};

typedef CTestApp CTestThread;

// The one application object, as the application or as the thread.
CTestApp& TestApp();
CTestApp& TestThread();

// Dispatches every message waiting in this thread's queue, through the thread's filters.
void PumpPendingMessages();

// Runs the thread's idle processing as the message loop would after the queue empties.
void RunIdleCycle();
