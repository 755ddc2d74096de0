#include "SdiFrame.h"
#include "SdiApp.h"

BEGIN_MESSAGE_MAP(CSdiMessageBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

BOOL CSdiMessageBar::Create(CFrameWnd* pFrame)
{
    return CWnd::Create("STATIC", "", WS_CHILD | WS_VISIBLE | SS_SUNKEN | SS_LEFTNOWORDWRAP, CRect(0, 0, 0, 0), pFrame,
                        AFX_IDW_STATUS_BAR);
}

LRESULT CSdiMessageBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    int cyBar = ::GetSystemMetrics(SM_CYMENU) + 4;
    CRect rect(pLayout->rect);
    rect.top = rect.bottom - cyBar;
    pLayout->rect.bottom -= cyBar;
    if (pLayout->hDWP != NULL)
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
    return 0;
}

IMPLEMENT_DYNCREATE(CSdiFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CSdiFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_ENTERIDLE()
END_MESSAGE_MAP()

int CSdiFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndMessageBar.Create(this))
        return -1;
    RecalcLayout();
    return 0;
}

void CSdiFrame::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    CFrameWnd::OnEnterIdle(nWhy, pWho);
    // A modal dialog of this frame has nothing more to do: a self-test answers it now.
    if (nWhy == MSGF_DIALOGBOX)
        theApp.m_selfTest.OnDialogIdle(pWho);
}
