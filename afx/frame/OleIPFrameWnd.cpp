#include "OleIPFrameWnd.h"

IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)

COleIPFrameWnd::COleIPFrameWnd()
    : m_pMainFrame(NULL), m_pDocFrame(NULL), m_rectPos(0, 0, 0, 0), m_rectClip(0, 0, 0, 0),
      m_bInPlaceActive(FALSE), m_bBarsCreated(FALSE)
{
}

BOOL COleIPFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The frame sits inside the container's window, without an edge of its own.
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL COleIPFrameWnd::OnCreateControlBars(CFrameWnd*, CFrameWnd*)
{
    return TRUE;
}

void COleIPFrameWnd::PlaceFrame(const CRect& rect)
{
    SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout();
}

void COleIPFrameWnd::RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect)
{
    m_rectPos = *lpPosRect;
    m_rectClip = *lpClipRect;
    // Only the part of the item inside the container's visible area is shown.
    CRect rectVisible;
    if (!rectVisible.IntersectRect(m_rectPos, m_rectClip))
        rectVisible.SetRectEmpty();
    PlaceFrame(rectVisible);
}

BOOL COleIPFrameWnd::ActivateInPlace(CWnd* pWndContainer, CFrameWnd* pMainFrame, CFrameWnd* pDocFrame,
                                     LPCRECT lpPosRect, LPCRECT lpClipRect)
{
    if (m_hWnd == NULL || pWndContainer == NULL || pMainFrame == NULL)
        return FALSE;
    if (::GetParent(m_hWnd) != pWndContainer->m_hWnd)
        SetParent(pWndContainer);
    m_pMainFrame = pMainFrame;
    m_pDocFrame = pDocFrame;
    if (!m_bBarsCreated)
    {
        if (!OnCreateControlBars(pMainFrame, pDocFrame))
        {
            m_pMainFrame = m_pDocFrame = NULL;
            return FALSE;
        }
        m_bBarsCreated = TRUE;
    }
    else
    {
        ShowOwnedBars(pMainFrame, TRUE);
        if (pDocFrame != NULL && pDocFrame != pMainFrame)
            ShowOwnedBars(pDocFrame, TRUE);
    }
    RepositionFrame(lpPosRect, lpClipRect);
    ShowWindow(SW_SHOWNA);
    m_bInPlaceActive = TRUE;
    return TRUE;
}

void COleIPFrameWnd::DeactivateInPlace()
{
    if (!m_bInPlaceActive)
        return;
    ShowWindow(SW_HIDE);
    if (m_pMainFrame != NULL)
        ShowOwnedBars(m_pMainFrame, FALSE);
    if (m_pDocFrame != NULL && m_pDocFrame != m_pMainFrame)
        ShowOwnedBars(m_pDocFrame, FALSE);
    m_pMainFrame = m_pDocFrame = NULL;
    m_bInPlaceActive = FALSE;
}

void COleIPFrameWnd::ShowOwnedBars(CFrameWnd* pFrame, BOOL bShow)
{
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != NULL && pBar->GetOwner() == this)
            pFrame->ShowControlBar(pBar, bShow, FALSE);
    }
}
