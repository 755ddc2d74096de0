// The dock state of a frame: taking each bar's placement (CControlBar::GetBarInfo), putting it
// back (SetBarInfo, CFrameWnd::SetDockState) and keeping it in the profile.
#include "DockContext.h"
#include "DockState.h"
#include "FrameWnd.h"
#include "MiniDockFrameWnd.h"

// ---------------------------------------------------------------------------------------------------
// CControlBar

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_nBarID = (UINT)GetDlgCtrlID();
    pInfo->m_pBar = this;
    pInfo->m_bVisible = IsVisible();
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_nMRUWidth = m_nMRUWidth;

    if (m_pDockBar != NULL)
    {
        CRect rect;
        GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        pInfo->m_pointPos = rect.TopLeft();
    }
    if (m_pDockContext != NULL)
    {
        pInfo->m_bDocking = TRUE;
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
    if (!IsDockBar())
        return;

    CDockBar* pDockBar = static_cast<CDockBar*>(this);
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bFloating = pDockBar->m_bFloating;
    if (pDockBar->m_bFloating)
    {
        // The floating frame is placed again from where its dock bar (its client area) stood.
        CRect rect;
        GetWindowRect(&rect);
        pInfo->m_pointPos = rect.TopLeft();
    }
    pDockBar->SaveRows(pInfo->m_arrBarID);
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    m_nMRUWidth = pInfo->m_nMRUWidth;
    if (m_pDockContext != NULL && pInfo->m_bDocking)
    {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }

    if (IsDockBar())
    {
        static_cast<CDockBar*>(this)->RestoreRows(pInfo->m_arrBarID, pFrameWnd);
        return;
    }
    // Bars take their place in the row from where they stand; the dock bar lays them out.
    UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (pInfo->m_pointPos == CPoint(-1, -1))
        nFlags |= SWP_NOMOVE;
    m_nStateFlags &= ~(delayHide | delayShow);
    SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, nFlags);
}

// ---------------------------------------------------------------------------------------------------
// CFrameWnd

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        CControlBarInfo* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        state.m_arrBarInfo.Add(pInfo);
    }
}

void CFrameWnd::SetDockState(const CDockState& state)
{
    // Find or make every bar first, so that dock bars can take bars that float in frames made
    // for entries further on.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        pInfo->m_pBar = NULL;
        if (pInfo->m_bFloating)
        {
            CMiniDockFrameWnd* pDockFrame = CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            if (pDockFrame == NULL)
                continue;
            CRect rect(pInfo->m_pointPos, CSize(10, 10));
            pDockFrame->CalcWindowRect(&rect);
            pDockFrame->SetWindowPos(NULL, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pInfo->m_pBar = &pDockFrame->m_wndDockBar;
        }
        else
            pInfo->m_pBar = GetControlBar(pInfo->m_nBarID);
        if (pInfo->m_pBar != NULL)
            pInfo->m_pBar->m_nMRUWidth = pInfo->m_nMRUWidth;
    }

    // Floating frames take their bars first, so that the dock bars they leave keep the saved
    // placeholders; then the dock bars order their rows; then each bar takes its saved position
    // and visibility, which moving it between dock bars would have undone.
    for (int nPass = 0; nPass < 3; nPass++)
    {
        for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
        {
            CControlBarInfo* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
            if (pInfo->m_pBar == NULL)
                continue;
            int nBarPass = pInfo->m_bFloating ? 0 : pInfo->m_pBar->IsDockBar() ? 1 : 2;
            if (nBarPass == nPass)
                pInfo->m_pBar->SetBarInfo(pInfo, this);
        }
    }

    // Floating frames are shown once they hold something visible; one that ended up with no bar
    // at all (every bar it named is missing) goes again.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (!pInfo->m_bFloating || pInfo->m_pBar == NULL)
            continue;
        CDockBar* pDockBar = static_cast<CDockBar*>(pInfo->m_pBar);
        CFrameWnd* pDockFrame = pDockBar->GetParentFrame();
        if (pDockBar->GetDockedCount() == 0)
        {
            pInfo->m_pBar = NULL;
            pDockFrame->DestroyWindow();
        }
        else if (pDockBar->GetDockedVisibleCount() > 0)
        {
            pDockFrame->RecalcLayout();
            pDockFrame->ShowWindow(SW_SHOWNA);
        }
    }
    DelayRecalcLayout();
}

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const
{
    CDockState state;
    GetDockState(state);
    state.SaveState(lpszProfileName);
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    CDockState state;
    state.LoadState(lpszProfileName);
    SetDockState(state);
}
