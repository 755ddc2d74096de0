// Support for tests that drive real windows: the test process's application object (its
// user-interface thread) and helpers that let the message loop run and answer dialog boxes.
#pragma once
#include <afxwin.h>

#include <string>
#include <vector>

// The application object of the test process. Commands in its range reach the application at the
// end of the command routing and are recorded.
class CTestApp : public CWinApp
{
public:
    static const UINT ID_APP_COMMAND_FIRST = 0x7F00;
    static const UINT ID_APP_COMMAND_LAST = 0x7F0F;

    UINT m_nLastAppCommand = 0;

    afx_msg void OnAppCommand(UINT nID) { m_nLastAppCommand = nID; }

    // Hands the box to the active CMessageBoxRecorder, if there is one, instead of showing it.
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    DECLARE_MESSAGE_MAP()
};

typedef CTestApp CTestThread;

CTestApp& TestApp();
CTestApp& TestThread();

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

// Answers the next dialog box this thread shows (a message box or a common dialog), from a thread
// of its own: records the caption and the static texts, optionally types text into a control, then
// presses a button. Construct it before the call that shows the box.
class CDialogResponder
{
public:
    CDialogResponder(int nButton, int nEditID = 0, const char* pszEditText = "");
    ~CDialogResponder();   // stops looking and waits for the thread
    CDialogResponder(const CDialogResponder&) = delete;
    CDialogResponder& operator=(const CDialogResponder&) = delete;

    // Waits until the box has been answered or the time to look for one is over.
    bool Finish();
    // Stops looking (the call that could have shown a box has returned) and tells whether one was.
    bool Stop();

    bool m_bAnswered = false;
    std::string m_strCaption;
    std::string m_strText;   // the static texts, in order, joined

private:
    static DWORD WINAPI Run(LPVOID lpParameter);

    DWORD m_dwThreadId;
    int m_nButton;
    int m_nEditID;
    std::string m_strEditText;
    volatile LONG m_bStop = FALSE;
    HANDLE m_hThread;
};

// While one lives, the message boxes the application would show (AfxMessageBox, DoMessageBox) are
// not shown: each is recorded and answered at once with the given button.
class CMessageBoxRecorder
{
public:
    explicit CMessageBoxRecorder(int nAnswer = IDOK);
    ~CMessageBoxRecorder();
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;

    static CMessageBoxRecorder* Active();

    int m_nAnswer;
    std::vector<std::string> m_prompts;   // in the order the boxes came
    std::vector<UINT> m_promptIDs;        // the string id each was made from, 0 for plain text

private:
    CMessageBoxRecorder* m_pOuter;
};
