// The window procedure and the dispatch of messages through message maps.
#include "Wnd.h"
#include "CmdUI.h"
#include "DC.h"
#include "Exception.h"
#include "Menu.h"
#include "ScrollBar.h"
#include "ThreadState.h"
#include "WinApp.h"

// ---------------------------------------------------------------------------------------------------
// The window procedure

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || pWnd->m_hWnd != hWnd)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    try
    {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    }
    catch (CException* e)
    {
        // Exceptions must not unwind through the system's message dispatch.
        CWinThread* pThread = AfxGetThread();
        lResult = pThread != NULL ? pThread->ProcessWndProcException(e, &pState->m_lastSentMsg)
                                  : AfxProcessWndProcException(e, &pState->m_lastSentMsg);
        e->Delete();
    }
    pState->m_lastSentMsg = oldState;
    return lResult;
}

void AFXAPI AfxSendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                        BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (bOnlyPerm)
        {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
            if (pWnd != NULL)
                AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
        }
        else
            ::SendMessageA(hWndChild, message, wParam, lParam);

        if (bDeep && ::GetTopWindow(hWndChild) != NULL)
            AfxSendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

// ---------------------------------------------------------------------------------------------------
// Message processing

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_lastSentMsg.time = ::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    pState->m_lastSentMsg.pt.x = (short)LOWORD(dwPos);
    pState->m_lastSentMsg.pt.y = (short)HIWORD(dwPos);
    return &pState->m_lastSentMsg;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & WF_TOOLTIPS)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

namespace {

// Records what an update handler does without touching any menu or window.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;

    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

} // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);

    if (hWndCtrl == NULL)
    {
        // A menu item or accelerator: ignore a command whose item has become disabled meanwhile.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;   // the control handled its own notification
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;

    // A tool that is a window is named by its handle; the handlers go by its control id.
    UINT nID = (UINT)pNMHDR->idFrom;
    if (pNMHDR->code == TTN_NEEDTEXTA && (((NMTTDISPINFOA*)pNMHDR)->uFlags & TTF_IDISHWND))
        nID = ::GetDlgCtrlID((HWND)pNMHDR->idFrom);

    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd == NULL)
        return FALSE;
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return pWnd->OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

// Parameter block of a reflected WM_CTLCOLORxxx.
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);

    case WM_COMMAND:
    {
        int nCode = HIWORD(wParam);
        if (CWnd::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL))
        {
            if (pResult != NULL)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }

    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        AFX_NOTIFY notify;
        notify.pResult = pResult;
        notify.pNMHDR = pNMHDR;
        return CWnd::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    }

    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    {
        AFX_CTLCOLOR ctl;
        ctl.hWnd = m_hWnd;
        ctl.hDC = (HDC)wParam;
        ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
        LRESULT lResult = 0;
        BOOL bHandled = CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, &lResult);
        // A handler that returns no brush leaves the colours to the parent.
        if (bHandled && lResult != 0)
        {
            if (pResult != NULL)
                *pResult = lResult;
            return TRUE;
        }
    }
    return FALSE;
}

namespace {

// The handler entry of a window message, searched from the most derived map to the base. The
// WM_CTLCOLORxxx messages share the WM_CTLCOLOR entry; a registered message (0xC000 and above) is
// found by the message number its entry points to.
const AFX_MSGMAP_ENTRY* FindWindowMessageEntry(const AFX_MSGMAP* pMap, UINT message)
{
    UINT nLookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        nLookup = WM_CTLCOLOR;
    for (; pMap != NULL; pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        if (message < 0xC000)
        {
            if (const AFX_MSGMAP_ENTRY* lpEntry = CCmdTarget::FindMessageEntry(pMap->lpEntries, nLookup, 0, 0))
                return lpEntry;
            continue;
        }
        for (const AFX_MSGMAP_ENTRY* lpEntry = pMap->lpEntries; lpEntry->nSig != AfxSig_end; ++lpEntry)
        {
            if (lpEntry->nMessage == AFX_REGISTERED_MESSAGE_TAG && *(const UINT*)lpEntry->nSig == message)
                return lpEntry;
        }
    }
    return NULL;
}

// Positions and sizes in lParam are two signed 16-bit halves, x (or width) in the low one.
CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint((short)LOWORD(lParam), (short)HIWORD(lParam));
}

} // namespace

BOOL CWnd::DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* lpEntry = FindWindowMessageEntry(GetMessageMap(), message);
    if (lpEntry == NULL)
        return FALSE;

    AFX_PMSG pfn = lpEntry->pfn;
    LRESULT lResult = 0;
    UINT_PTR nSig = lpEntry->nMessage == AFX_REGISTERED_MESSAGE_TAG ? (UINT_PTR)AfxSig_lwl : lpEntry->nSig;

    switch (nSig)
    {
    case AfxSig_lwl:
        lResult = (this->*AfxFunctionCast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_vv:
        (this->*pfn)();
        break;
    case AfxSig_bv:
        lResult = (this->*AfxFunctionCast<BOOL (CCmdTarget::*)()>(pfn))();
        break;
    case AfxSig_is:
        lResult = (this->*AfxFunctionCast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_bs:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_vwii:
    {
        CPoint extent = PointFromLParam(lParam);
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, extent.x, extent.y);
        break;
    }
    case AfxSig_vii:
    {
        CPoint point = PointFromLParam(lParam);
        (this->*AfxFunctionCast<void (CWnd::*)(int, int)>(pfn))(point.x, point.y);
        break;
    }
    case AfxSig_vwpRECT:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, LPRECT)>(pfn))((UINT)wParam, (LPRECT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_bD:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_vt:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
        break;
    case AfxSig_vwp:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam, PointFromLParam(lParam));
        break;
    case AfxSig_bwsp:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), (short)HIWORD(wParam), PointFromLParam(lParam));
        break;
    case AfxSig_lp:
        lResult = (this->*AfxFunctionCast<LRESULT (CWnd::*)(CPoint)>(pfn))(PointFromLParam(lParam));
        break;
    case AfxSig_vbNCCALC:
        (this->*AfxFunctionCast<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))((BOOL)wParam,
                                                                                (NCCALCSIZE_PARAMS*)lParam);
        break;
    case AfxSig_bWww:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_iWww:
        lResult = (this->*AfxFunctionCast<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vwww:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam),
                                                                        HIWORD(lParam));
        break;
    case AfxSig_vW:
        (this->*AfxFunctionCast<void (CWnd::*)(CWnd*)>(pfn))(
            FromHandle(message == WM_CAPTURECHANGED ? (HWND)lParam : (HWND)wParam));
        break;
    case AfxSig_vwWb:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), FromHandle((HWND)lParam),
                                                                         HIWORD(wParam));
        break;
    case AfxSig_vbh:
        (this->*AfxFunctionCast<void (CWnd::*)(BOOL, DWORD)>(pfn))((BOOL)wParam, (DWORD)lParam);
        break;
    case AfxSig_bb:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_vb:
        (this->*AfxFunctionCast<void (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_vbw:
        (this->*AfxFunctionCast<void (CWnd::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_vPOS:
        (this->*AfxFunctionCast<void (CWnd::*)(WINDOWPOS*)>(pfn))((WINDOWPOS*)lParam);
        break;
    case AfxSig_vMINMAX:
        (this->*AfxFunctionCast<void (CWnd::*)(MINMAXINFO*)>(pfn))((MINMAXINFO*)lParam);
        break;
    case AfxSig_hDWw:
        lResult = (LRESULT)(this->*AfxFunctionCast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle((HDC)wParam), FromHandle((HWND)lParam), message - WM_CTLCOLORMSGBOX);
        break;
    case AfxSig_hDw:
    {
        AFX_CTLCOLOR* pCtl = (AFX_CTLCOLOR*)lParam;
        lResult = (LRESULT)(this->*AfxFunctionCast<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
            CDC::FromHandle(pCtl->hDC), pCtl->nCtlType);
        break;
    }
    case AfxSig_vOWNER:
        (this->*AfxFunctionCast<void (CWnd::*)(int, LPARAM)>(pfn))((int)wParam, lParam);
        lResult = TRUE;
        break;
    case AfxSig_iOWNER:
        lResult = (this->*AfxFunctionCast<int (CWnd::*)(int, LPARAM)>(pfn))((int)wParam, lParam);
        break;
    case AfxSig_vOWNERREFLECT:
        (this->*AfxFunctionCast<void (CWnd::*)(LPARAM)>(pfn))(lParam);
        lResult = TRUE;
        break;
    case AfxSig_vwl:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
        break;
    case AfxSig_vMwb:
        (this->*AfxFunctionCast<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_lwwM:
        lResult = (this->*AfxFunctionCast<LRESULT (CWnd::*)(UINT, UINT, CMenu*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle((HMENU)lParam));
        break;
    case AfxSig_vwwh:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                                         (HMENU)lParam);
        break;
    case AfxSig_vwW:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, CWnd*)>(pfn))((UINT)wParam, FromHandle((HWND)lParam));
        break;
    case AfxSig_vWp:
        (this->*AfxFunctionCast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle((HWND)wParam),
                                                                     PointFromLParam(lParam));
        break;
    case AfxSig_vwwx:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), (short)HIWORD(wParam), (CScrollBar*)FromHandle((HWND)lParam));
        break;
    case AfxSig_vws:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, LPCTSTR)>(pfn))((UINT)wParam, (LPCTSTR)lParam);
        break;
    case AfxSig_vh:
        (this->*AfxFunctionCast<void (CWnd::*)(HDROP)>(pfn))((HDROP)wParam);
        break;
    case AfxSig_wv:
        lResult = (this->*AfxFunctionCast<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_viSTYLE:
        (this->*AfxFunctionCast<void (CWnd::*)(int, LPSTYLESTRUCT)>(pfn))((int)wParam, (LPSTYLESTRUCT)lParam);
        break;
    case AfxSig_bHELPINFO:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(HELPINFO*)>(pfn))((HELPINFO*)lParam);
        break;
    default:
        ASSERT(FALSE);
        return FALSE;
    }
    *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    }
    else if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    }
    else if (!DispatchMapMessage(message, wParam, lParam, &lResult))
        return FALSE;

    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}
