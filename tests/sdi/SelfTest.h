// Drives the test program from its own message loop: each step posts the input a user would give
// (commands, keys), and the next step checks what came of it. Failures are written to the standard
// error output; the program ends with 1 when there was any.
#pragma once
#include <afxwin.h>

class CSelfTest
{
public:
    void Start();
    BOOL IsRunning() const { return m_bRunning; }
    int Result() const { return m_nFailures == 0 && m_bFinished ? 0 : 1; }

    // Runs the next step when pMsg is the self-test's own thread message.
    BOOL HandleThreadMessage(const MSG* pMsg);
    // A modal dialog of the main frame waits for input: fill it in and confirm it.
    void OnDialogIdle(CWnd* pDialog);

private:
    BOOL m_bRunning = FALSE;
    BOOL m_bFinished = FALSE;
    int m_nStep = 0;
    int m_nFailures = 0;
    CString m_strSavedPath;
    CDocument* m_pFirstDocument = NULL;

    void Check(bool bPassed, const char* pszWhat);
    void PostNextStep();
    void RunStep();
    CString ControlText(int nID) const;
};
