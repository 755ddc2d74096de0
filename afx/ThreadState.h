// Per-thread state of the windowing layer: the handle maps, the window being created, and the
// message being processed (for Default and for reflection).
#pragma once
#include "HandleMap.h"

class CWnd;
class CMenu;

struct AFX_THREAD_STATE
{
    AFX_THREAD_STATE();
    ~AFX_THREAD_STATE();

    CWnd* m_pWndInit = NULL;          // window whose creation the CBT hook is waiting for
    HHOOK m_hHookCbtFilter = NULL;
    MSG m_lastSentMsg = {};           // the message AfxCallWndProc is processing
    HWND m_hLockoutNotifyWindow = NULL; // a window whose control notifications are ignored
    CHandleMap<CWnd, HWND> m_mapHWND;
    CHandleMap<CMenu, HMENU> m_mapHMENU;
};

AFX_THREAD_STATE* AFXAPI AfxGetThreadState();
