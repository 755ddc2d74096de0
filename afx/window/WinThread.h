// CWinThread: the message loop with idle processing, and the exception report of message handlers.
#pragma once
#include "CmdTarget.h"
#include "Rect.h"

class CWnd;
class CException;

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    virtual ~CWinThread() = default;

    CWnd* m_pMainWnd = NULL;     // the thread's main window; its destruction ends the loop
    CWnd* m_pActiveWnd = NULL;
    BOOL m_bAutoDelete = FALSE;
    HANDLE m_hThread = NULL;
    DWORD m_nThreadID = 0;
    MSG m_msgCur = {};           // the message being pumped

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // Idle work; lCount counts the calls since the last message. TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // Reports an exception that escaped a message handler; the result is the message's result.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual CWnd* GetMainWnd();

protected:
    CPoint m_ptCursorLast;
    UINT m_nMsgLast = 0;
};

CWinThread* AFXAPI AfxGetThread();
void AFXAPI AfxSetThread(CWinThread* pThread);
LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg);
CWnd* AFXAPI AfxGetMainWnd();
