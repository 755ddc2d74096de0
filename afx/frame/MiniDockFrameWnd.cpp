#include "MiniDockFrameWnd.h"
#include "DockContext.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_MOUSEACTIVATE()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE)
{
}

CMiniDockFrameWnd::~CMiniDockFrameWnd()
{
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    // Nothing is docked yet; the first layout comes when the bar is.
    m_bInRecalcLayout = TRUE;
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                    MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    // The borders of a bar that sizes itself resize it; those of any other bar move it.
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle &= ~MFS_MOVEFRAME;
    if (!CMiniFrameWnd::CreateEx(0, NULL, "", dwStyle, rectDefault, pParent))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    // Sizing goes through the bar's dock context, not the system's size command.
    ::DeleteMenu(::GetSystemMenu(m_hWnd, FALSE), SC_SIZE, MF_BYCOMMAND);

    DWORD dwDockStyle = (dwBarStyle & CBRS_ORIENT_VERT) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    // Created in the docking frame so that the frame counts it among its bars, then moved here.
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetFloatingBar() const
{
    for (int nPos = 0; nPos < m_wndDockBar.GetEntryCount(); nPos++)
    {
        CControlBar* pBar = m_wndDockBar.GetDockedControlBar(nPos);
        if (pBar != NULL)
            return pBar;
    }
    return NULL;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || m_wndDockBar.m_hWnd == NULL)
        return;

    // The frame is titled like its bar: a single bar lends its text to the dock bar.
    CControlBar* pBar = GetFloatingBar();
    CString strTitle;
    if (pBar != NULL && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI))
    {
        pBar->GetWindowText(strTitle);
        m_wndDockBar.SetWindowText(strTitle);
    }
    m_wndDockBar.GetWindowText(strTitle);
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strTitle)
        SetWindowText(strTitle);

    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    // The bars ask for their natural size; the frame wraps itself around it.
    CRect rect(0, 0, CControlBar::nStretchLength, CControlBar::nStretchLength);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
    CalcWindowRect(&rect);
    SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    m_bInRecalcLayout = FALSE;
}

// ---------------------------------------------------------------------------------------------------
// Closing, dragging, sizing

void CMiniDockFrameWnd::OnClose()
{
    // Closing a floating bar hides it; the frame goes away when the bar is docked or destroyed.
    for (int nPos = 0; nPos < m_wndDockBar.GetEntryCount(); nPos++)
    {
        CControlBar* pBar = m_wndDockBar.GetDockedControlBar(nPos);
        if (pBar != NULL && pBar->m_pDockSite != NULL)
            pBar->m_pDockSite->ShowControlBar(pBar, FALSE, FALSE);
    }
}

LRESULT CMiniDockFrameWnd::OnNcHitTest(CPoint point)
{
    LRESULT nHit = CMiniFrameWnd::OnNcHitTest(point);
    if (nHit < HTSIZEFIRST || nHit > HTSIZELAST)
        return nHit;
    // Only a single bar of dynamic size can be resized; any other frame moves from its borders.
    CControlBar* pBar = GetFloatingBar();
    if ((m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) || pBar == NULL || !(pBar->m_dwStyle & CBRS_SIZE_DYNAMIC))
        return HTCAPTION;
    return nHit;
}

int CMiniDockFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    // Resizing a palette leaves the application's frame active.
    if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST)
        return MA_NOACTIVATE;
    return CMiniFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFloatingBar();
    BOOL bSingle = !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) && pBar != NULL && pBar->m_pDockContext != NULL;
    if (nHitTest == HTCAPTION && bSingle)
    {
        ActivateTopParent();
        BringWindowToTop();
        pBar->m_pDockContext->StartDrag(point);
        return;
    }
    if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST && bSingle && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC))
    {
        ActivateTopParent();
        pBar->m_pDockContext->StartResize(nHitTest, point);
        return;
    }
    if (nHitTest == HTCAPTION)
        ActivateTopParent();
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFloatingBar();
    if (nHitTest == HTCAPTION && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) && pBar != NULL &&
        pBar->m_pDockContext != NULL)
    {
        ActivateTopParent();
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
