#include "MainFrame.h"
#include "QENWizView.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CResultEdit, CEdit)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

BOOL CResultEdit::Create(CFrameWnd* pFrame, UINT nID)
{
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL;
    return CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", dwStyle, CRect(0, 0, 0, 0), pFrame, nID);
}

LRESULT CResultEdit::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect rect(pLayout->rect);
    rect.top = rect.bottom - s_nHeight;
    if (rect.top < pLayout->rect.top)
        rect.top = pLayout->rect.top;
    pLayout->rect.bottom = rect.top;
    pLayout->sizeTotal.cy += rect.Height();
    if (pLayout->hDWP != NULL)
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
    return 0;
}

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_TOOLS_START_INSTALL, OnMenuStartInstall)
    ON_COMMAND(ID_TOOLS_DETECT_FOLDERS, OnMenuDetectFolders)
END_MESSAGE_MAP()

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndResultEdit.Create(this, s_nResultEditID))
        return -1;
    return 0;
}

void CMainFrame::OnMenuStartInstall()
{
    if (g_pWizView != NULL)
        g_pWizView->PostMessage(WM_STARTINSTALL, 0, 0);
}

void CMainFrame::OnMenuDetectFolders()
{
    if (g_pWizView != NULL)
        g_pWizView->PostMessage(WM_DETECTFOLDERS, 0, 0);
}
