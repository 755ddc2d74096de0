// Per-thread state of the windowing layer: the handle maps, the window being created, and the
// message being processed (for Default and for reflection).
#pragma once
#include "HandleMap.h"
#include <commctrl.h>

class CWnd;
class CMenu;
class CToolTipCtrl;

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

    // The one tool tip of the thread's windows with EnableToolTips, and the tool it is set up for.
    CToolTipCtrl* m_pToolTip = NULL;
    HWND m_hWndLastHit = NULL;
    INT_PTR m_nLastHit = -1;
    TOOLINFOA m_lastInfo = {};
    // The bar whose tool's prompt the status bar shows (CBRS_FLYBY), and that tool.
    HWND m_hWndFlyby = NULL;
    INT_PTR m_nFlybyHit = -1;
};

AFX_THREAD_STATE* AFXAPI AfxGetThreadState();
