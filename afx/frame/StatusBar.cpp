#include "StatusBar.h"
#include "CmdUI.h"
#include "DC.h"
#include "FrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

// Updates a pane from the update handler of its id.
class CStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
        pBar->SetPaneStyle((int)m_nIndex, bOn ? nStyle : nStyle | SBPS_DISABLED);
    }

    void SetCheck(int nCheck) override
    {
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
        pBar->SetPaneStyle((int)m_nIndex, nCheck ? nStyle | SBPS_POPOUT : nStyle);
    }

    void SetText(LPCTSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText);
    }
};

// Room a pane's borders take around its text.
int PaneBorderWidth()
{
    return 2 * ::GetSystemMetrics(SM_CXEDGE) + 4;
}

}   // namespace

CStatusBar::CStatusBar()
{
}

CStatusBar::~CStatusBar()
{
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    // The bar styles stay with the bar; the control sizes and places nothing itself.
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE |
                          dwCtrlStyle;
    if (pParentWnd->GetStyle() & WS_THICKFRAME)
        dwWindowStyle |= SBARS_SIZEGRIP;
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
    return CWnd::CreateEx(0, STATUSCLASSNAMEA, NULL, dwWindowStyle, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(),
                          (HMENU)(UINT_PTR)nID, NULL);
}

int CStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Pane widths are measured with the font the control draws with.
    if (SendMessage(WM_GETFONT) == 0)
        SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
    return 0;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.assign((size_t)nIDCount, Pane());
    m_nCount = nIDCount;
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount; i++)
    {
        Pane& pane = m_panes[(size_t)i];
        pane.nID = lpIDArray[i];
        pane.nStyle = SBPS_NORMAL;
        pane.cxText = 0;
        if (pane.nID == ID_SEPARATOR)
        {
            if (i == 0)
                pane.nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
            continue;
        }
        if (!pane.strText.LoadString(pane.nID))
            bResult = FALSE;
        pane.cxText = TextWidth(pane.strText);
    }
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

int CStatusBar::TextWidth(LPCTSTR lpszText) const
{
    if (m_hWnd == NULL)
        return 0;
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOldFont = ::SelectObject(hDC, (HGDIOBJ)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, lpszText, lstrlenA(lpszText), &size);
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    return size.cx;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount; i++)
    {
        if (m_panes[(size_t)i].nID == nIDFind)
            return i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return m_panes[(size_t)nIndex].nID;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SendMessageA(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return m_panes[(size_t)nIndex].strText;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    Pane& pane = m_panes[(size_t)nIndex];
    CString strNew = lpszNewText != NULL ? lpszNewText : "";
    if (pane.strText == strNew)
        return TRUE;
    pane.strText = strNew;
    if (bUpdate)
        ShowPaneText(nIndex);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    const Pane& pane = m_panes[(size_t)nIndex];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    Pane& pane = m_panes[(size_t)nIndex];
    pane.nID = nID;
    BOOL bChanged = pane.nStyle != nStyle || pane.cxText != cxWidth;
    pane.nStyle = nStyle;
    pane.cxText = cxWidth;
    if (bChanged)
        UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return m_panes[(size_t)nIndex].nStyle;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    Pane& pane = m_panes[(size_t)nIndex];
    if (pane.nStyle == nStyle)
        return;
    BOOL bWidthChanged = (pane.nStyle ^ nStyle) & SBPS_STRETCH;
    pane.nStyle = nStyle;
    if (bWidthChanged)
        UpdateAllPanes(TRUE, FALSE);
    ShowPaneText(nIndex);
}

void CStatusBar::ShowPaneText(int nIndex)
{
    if (m_hWnd == NULL)
        return;
    const Pane& pane = m_panes[(size_t)nIndex];
    // A disabled pane keeps its text but shows none (a key indicator whose key is off).
    LPCTSTR lpszShown = (pane.nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pane.strText;
    UINT nDrawing = pane.nStyle & (SBPS_NOBORDERS | SBPS_POPOUT);
    ::SendMessageA(m_hWnd, SB_SETTEXTA, (WPARAM)nIndex | nDrawing, (LPARAM)lpszShown);
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == NULL)
        return;
    if (bUpdateRects)
    {
        CRect rectClient;
        GetClientRect(&rectClient);
        int nBorders[3] = {0, 0, 0};   // horizontal, vertical, between panes
        ::SendMessageA(m_hWnd, SB_GETBORDERS, 0, (LPARAM)nBorders);
        int cxGrip = (GetStyle() & SBARS_SIZEGRIP) ? rectClient.Height() : 0;

        // The stretchy pane gets what the others leave.
        int cxFixed = nBorders[0] + cxGrip;
        for (const Pane& pane : m_panes)
        {
            if (!(pane.nStyle & SBPS_STRETCH))
                cxFixed += pane.cxText + PaneBorderWidth();
            cxFixed += nBorders[2];
        }
        int cxStretch = std::max(0, rectClient.Width() - cxFixed);

        std::vector<int> rightEdges;
        int x = nBorders[0];
        for (const Pane& pane : m_panes)
        {
            x += (pane.nStyle & SBPS_STRETCH) ? cxStretch : pane.cxText + PaneBorderWidth();
            rightEdges.push_back(x);
            x += nBorders[2];
        }
        if (!rightEdges.empty())
            rightEdges.back() += cxGrip;
        if (rightEdges.empty())
            rightEdges.push_back(-1);
        ::SendMessageA(m_hWnd, SB_SETPARTS, rightEdges.size(), (LPARAM)rightEdges.data());
    }
    if (bUpdateText)
    {
        for (int i = 0; i < m_nCount; i++)
            ShowPaneText(i);
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOldFont = ::SelectObject(hDC, (HGDIOBJ)SendMessage(WM_GETFONT));
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);

    int nBorders[3] = {0, 0, 0};
    ::SendMessageA(m_hWnd, SB_GETBORDERS, 0, (LPARAM)nBorders);
    int cy = tm.tmHeight + 2 * nBorders[1] + 2 * ::GetSystemMetrics(SM_CYEDGE) + m_cyTopBorder + m_cyBottomBorder;
    // A status bar spans its frame whatever it is asked.
    return CSize(32767, cy);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = m_panes[state.m_nIndex].nID;
        // The bar's own handlers first; a pane nothing updates keeps its state.
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnPaint()
{
    Default();
}

BOOL CStatusBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    int nIndex = MessagePaneIndex();
    if (nIndex < 0)
        return FALSE;
    SetPaneText(nIndex, (LPCTSTR)lParam);
    return TRUE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int nIndex = MessagePaneIndex();
    if (nIndex < 0 || wParam == 0)
        return 0;
    const CString& strText = m_panes[(size_t)nIndex].strText;
    int nLength = std::min((int)wParam - 1, strText.GetLength());
    memcpy((LPSTR)lParam, (LPCTSTR)strText, (size_t)nLength);
    ((LPSTR)lParam)[nLength] = '\0';
    return nLength;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    int nIndex = MessagePaneIndex();
    return nIndex < 0 ? 0 : m_panes[(size_t)nIndex].strText.GetLength();
}
