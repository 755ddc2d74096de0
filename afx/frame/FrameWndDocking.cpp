// The docking members of CFrameWnd: its dock bars, docking and floating bars, showing and hiding
// them, and the View menu commands that do so.
#include "FrameWnd.h"
#include "CmdUI.h"
#include "DockBar.h"
#include "Exception.h"
#include "MiniDockFrameWnd.h"

namespace
{
struct DockSide
{
    UINT nID;
    DWORD dwStyle;
};

// In layout order: the top and bottom dock bars span the whole width, the side ones what is left.
const DockSide dockSides[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};
} // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    ASSERT((dwDockStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI)) == 0);
    for (const DockSide& side : dockSides)
    {
        if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(side.nID) != NULL)
            continue;
        CDockBar* pDockBar = new CDockBar;
        pDockBar->m_bAutoDelete = TRUE;
        if (!pDockBar->Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | side.dwStyle, side.nID))
        {
            delete pDockBar;
            AfxThrowResourceException();
        }
    }
    m_dwDockStyle |= dwDockStyle;
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return NULL;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if ((UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    }
    return NULL;
}

// ---------------------------------------------------------------------------------------------------
// Docking and floating

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nDockBarID == 0 ? NULL : static_cast<CDockBar*>(GetControlBar(nDockBarID));
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pDockBar == NULL)
    {
        // The side the bar is aligned to, else the first side it may dock at.
        DWORD dwAlign = pBar->m_dwStyle & CBRS_ALIGN_ANY;
        for (const DockSide& side : dockSides)
        {
            if ((side.dwStyle & CBRS_ALIGN_ANY) == dwAlign && (dwAlign & pBar->m_dwDockStyle))
                pDockBar = static_cast<CDockBar*>(GetControlBar(side.nID));
            if (pDockBar != NULL)
                break;
        }
        for (int i = 0; pDockBar == NULL && i < (int)(sizeof(dockSides) / sizeof(dockSides[0])); i++)
            if (dockSides[i].dwStyle & pBar->m_dwDockStyle & CBRS_ALIGN_ANY)
                pDockBar = static_cast<CDockBar*>(GetControlBar(dockSides[i].nID));
    }
    ASSERT(pDockBar != NULL);
    if (pDockBar == NULL)
        return;
    pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pDockBar == NULL)
    {
        // The dock bar that kept the bar's place while it floated.
        for (const DockSide& side : dockSides)
        {
            CDockBar* pSideBar = static_cast<CDockBar*>(GetControlBar(side.nID));
            if (pSideBar != NULL && pSideBar->FindPlaceHolder(pBar) >= 0)
            {
                pDockBar = pSideBar;
                break;
            }
        }
    }
    if (pDockBar == NULL)
        DockControlBar(pBar, pDockBar, lpRect);
    else
        pDockBar->ReDockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    ASSERT(m_pFloatingFrameClass != NULL);
    CObject* pObject = m_pFloatingFrameClass->CreateObject();
    if (pObject == NULL)
        AfxThrowMemoryException();
    CMiniDockFrameWnd* pFrame = static_cast<CMiniDockFrameWnd*>(pObject);
    if (!pFrame->Create(this, dwStyle))
        AfxThrowResourceException();
    return pFrame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    // A bar floats out of the frame it docks in.
    if (pBar->m_pDockSite != NULL && pBar->m_pDockSite != this)
    {
        pBar->m_pDockSite->FloatControlBar(pBar, point, dwStyle);
        return;
    }

    // Alone in a floating frame of that orientation already: only the frame moves.
    if (pBar->IsFloating() && pBar->m_pDockBar->GetDockedCount() == 1 &&
        (pBar->m_pDockBar->m_dwStyle & dwStyle & CBRS_ALIGN_ANY) != 0)
    {
        CFrameWnd* pFloatingFrame = pBar->m_pDockBar->GetParentFrame();
        pFloatingFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFloatingFrame->RecalcLayout(TRUE);
        pFloatingFrame->UpdateWindow();
        return;
    }

    // A bar of dynamic size lays itself out in its floating frame and floats the horizontal way.
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }

    CMiniDockFrameWnd* pFloatingFrame = CreateFloatingFrame(dwStyle);
    pFloatingFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFloatingFrame->m_wndDockBar.DockControlBar(pBar);
    pFloatingFrame->RecalcLayout(TRUE);
    if (pBar->GetStyle() & WS_VISIBLE)
    {
        pFloatingFrame->ShowWindow(SW_SHOWNA);
        pFloatingFrame->UpdateWindow();
    }
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (!pBar->IsDockBar())
            continue;
        CDockBar* pDockBar = static_cast<CDockBar*>(pBar);
        if (pDockBar->m_bFloating || !pDockBar->IsWindowVisible() ||
            !(pDockBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        // An empty dock bar is a line at the frame's edge; it still catches a bar dragged onto it.
        CRect rectDockBar;
        pDockBar->GetWindowRect(&rectDockBar);
        if (rectDockBar.Width() == 0)
            rectDockBar.right++;
        if (rectDockBar.Height() == 0)
            rectDockBar.bottom++;
        CRect rectTouch;
        if (rectTouch.IntersectRect(&rectDockBar, &rect))
        {
            if (ppDockBar != NULL)
                *ppDockBar = pDockBar;
            return pDockBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY;
        }
    }
    if (ppDockBar != NULL)
        *ppDockBar = NULL;
    return 0;
}

// ---------------------------------------------------------------------------------------------------
// Showing and hiding

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    CFrameWnd* pFrame = pBar->GetDockingFrame();
    if (bDelay)
    {
        pBar->DelayShow(bShow);
        pFrame->DelayRecalcLayout();
    }
    else
    {
        pBar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
        pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        if (bShow || !pBar->IsFloating())
            pFrame->RecalcLayout(FALSE);
    }

    if (!pBar->IsFloating())
        return;
    // The floating frame shows while it holds a visible bar.
    int nShowCmd = pBar->m_pDockBar->GetDockedVisibleCount() > 0 ? SW_SHOWNA : SW_HIDE;
    pFrame->m_nShowDelay = -1;
    if (bDelay)
        pFrame->m_nShowDelay = nShowCmd;
    else
        pFrame->ShowWindow(nShowCmd);
}

void CFrameWnd::ShowDelayedFloatingFrames()
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->IsDockBar() || !pBar->IsFloating())
            continue;
        CFrameWnd* pFloatingFrame = pBar->GetParentFrame();
        if (pFloatingFrame != NULL && pFloatingFrame->m_nShowDelay > SW_HIDE && !pFloatingFrame->IsWindowVisible())
            pFloatingFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    }
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == NULL)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == NULL)
    {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

// ---------------------------------------------------------------------------------------------------
// Floating frames follow the frame

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    // Floating frames are top-level windows owned by this frame.
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (::GetWindow(hWnd, GW_OWNER) == m_hWnd && CWnd::FromHandlePermanent(hWnd) != NULL)
            ::SendMessageA(hWnd, WM_FLOATSTATUS, dwFlags, 0);
    }
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    // A modal dialog that disables the frame disables its floating bars too.
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}
