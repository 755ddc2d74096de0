// Tool tips of windows that enabled them: one tip control per thread, moved from tool to tool.
#include "Wnd.h"
#include "ThreadState.h"
#include "ToolTipCtrl.h"

#include <stdlib.h>

namespace {

// Takes the tool the thread's tip was set up for out of it.
void ReleaseLastTool(AFX_THREAD_STATE* pState)
{
    CToolTipCtrl* pTip = pState->m_pToolTip;
    if (pState->m_hWndLastHit != NULL && pTip != NULL && pTip->m_hWnd != NULL)
    {
        pTip->SendMessage(TTM_DELTOOLA, 0, (LPARAM)&pState->m_lastInfo);
        pTip->Activate(FALSE);
    }
    pState->m_hWndLastHit = NULL;
    pState->m_nLastHit = -1;
}

bool IsToolTipCancelMessage(UINT message)
{
    switch (message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_MOUSEWHEEL:
        return true;
    default:
        return false;
    }
}

} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else
    {
        m_nFlags &= ~WF_TOOLTIPS;
        AFX_THREAD_STATE* pState = AfxGetThreadState();
        if (pState->m_hWndLastHit == m_hWnd)
            ReleaseLastTool(pState);
    }
    return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (hWndChild == NULL || hWndChild == m_hWnd)
        return -1;
    // Labels (id 0 or -1) are no tools.
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0 || (WORD)nID == 0xFFFF)
        return -1;
    if (pTI != NULL)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return nID;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    UINT message = pMsg->message;
    if (IsToolTipCancelMessage(message))
    {
        if (pState->m_pToolTip != NULL && pState->m_pToolTip->m_hWnd != NULL)
            pState->m_pToolTip->Pop();
        return;
    }
    if (message != WM_MOUSEMOVE && message != WM_NCMOUSEMOVE && message != WM_LBUTTONUP &&
        message != WM_RBUTTONUP && message != WM_MBUTTONUP)
        return;

    // The tip belongs to the top-level window, so that it shows above it and goes with it.
    if (pState->m_pToolTip == NULL)
        pState->m_pToolTip = new CToolTipCtrl;
    CToolTipCtrl* pTip = pState->m_pToolTip;
    HWND hWndTop = GetTopLevelParent()->GetSafeHwnd();
    if (pTip->m_hWnd != NULL && ::GetWindow(pTip->m_hWnd, GW_OWNER) != hWndTop)
        pTip->DestroyWindow();
    if (pTip->m_hWnd == NULL)
    {
        pState->m_hWndLastHit = NULL;
        pState->m_nLastHit = -1;
        if (!pTip->Create(FromHandle(hWndTop), TTS_ALWAYSTIP))
            return;
    }

    CPoint point = pMsg->pt;
    ScreenToClient(&point);
    TOOLINFOA ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    INT_PTR nHit = OnToolHitTest(point, &ti);
    if (nHit != pState->m_nLastHit || m_hWnd != pState->m_hWndLastHit)
    {
        ReleaseLastTool(pState);
        if (nHit != -1)
        {
            if (ti.hwnd == NULL)
                ti.hwnd = m_hWnd;
            if (ti.lpszText == NULL)
                ti.lpszText = LPSTR_TEXTCALLBACK;
            pTip->SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
            pTip->Activate(TRUE);
            pState->m_lastInfo = ti;
            pState->m_lastInfo.lpszText = NULL;
            pState->m_hWndLastHit = m_hWnd;
            pState->m_nLastHit = nHit;
        }
    }
    if (ti.lpszText != LPSTR_TEXTCALLBACK)
        free(ti.lpszText);

    if (pState->m_hWndLastHit == m_hWnd)
    {
        // The tip finds a window tool by the message's window, others by their window and rectangle.
        const TOOLINFOA& tool = pState->m_lastInfo;
        MSG msg = *pMsg;
        msg.hwnd = (tool.uFlags & TTF_IDISHWND) ? (HWND)tool.uId : tool.hwnd;
        CPoint pointTool = pMsg->pt;
        ::ScreenToClient(msg.hwnd, &pointTool);
        msg.lParam = MAKELPARAM(pointTool.x, pointTool.y);
        if (msg.message == WM_NCMOUSEMOVE)
            msg.message = WM_MOUSEMOVE;
        pTip->RelayEvent(&msg);
    }
}
