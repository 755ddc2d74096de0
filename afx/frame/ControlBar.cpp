#include "ControlBar.h"
#include "DC.h"
#include "DockBar.h"
#include "DockContext.h"
#include "DockState.h"
#include "FrameWnd.h"
#include "ThreadState.h"

#include <algorithm>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

namespace
{
// An edge line is two pixels: shadow and highlight.
const int cxEdge = 2;
const int cyEdge = 2;
// The gripper: a raised line with space on both sides.
const int cxGripper = 3;
const int cxGripperSpace = 2;
const int cxGripperTotal = cxGripperSpace + cxGripper + cxGripperSpace;
// Watches for the mouse leaving a bar whose prompt is shown.
const UINT_PTR idFlybyCheck = 0xE001;
const UINT nFlybyCheckDelay = 200;

// Takes the edge lines of the borders that dwStyle names off rect.
void DeflateByEdges(CRect& rect, DWORD dwStyle)
{
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += cxEdge;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += cyEdge;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cxEdge;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cyEdge;
}
} // namespace

CControlBar::CControlBar()
    : m_bAutoDelete(FALSE), m_cxLeftBorder(6), m_cxRightBorder(6), m_cyTopBorder(1), m_cyBottomBorder(1),
      m_cxDefaultGap(2), m_nMRUWidth(CControlBarInfo::nDefaultMRUWidth), m_nCount(0), m_pData(NULL), m_nStateFlags(0), m_dwStyle(0),
      m_dwDockStyle(0), m_pDockSite(NULL), m_pDockBar(NULL), m_pDockContext(NULL)
{
}

CControlBar::~CControlBar()
{
    // Destroyed here, while the object is still a control bar, so that OnDestroy unhooks it; the
    // object being deleted already must not delete itself with the window.
    m_bAutoDelete = FALSE;
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    if (m_pDockSite != NULL)
        m_pDockSite->RemoveControlBar(this);
    delete m_pDockContext;
    free(m_pData);
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
    else
        CWnd::PostNcDestroy();
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    if (cs.lpszClass == NULL)
        cs.lpszClass = _afxWndControlBar;
    // Neighbouring bars overlap by a border.
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->IsFrameWnd())
    {
        m_pDockSite = static_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips(TRUE);
    return 0;
}

void CControlBar::OnDestroy()
{
    ShowFlybyPrompt(-1);
    if (m_pDockBar != NULL)
        m_pDockBar->ForgetDestroyedBar(this);
    if (m_pDockSite != NULL)
    {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = NULL;
    }
    CWnd::OnDestroy();
}

// ---------------------------------------------------------------------------------------------------
// Attributes

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    DWORD dwOldStyle = m_dwStyle;
    m_dwStyle = dwStyle;
    OnBarStyleChange(dwOldStyle, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    // Borders and gripper are drawn in the client area.
    const DWORD dwDrawn = CBRS_BORDER_ANY | CBRS_BORDER_3D | CBRS_GRIPPER | CBRS_FLOATING;
    if (m_hWnd == NULL)
        return;
    if (((dwOldStyle ^ dwNewStyle) & dwDrawn) != 0)
        Invalidate();
    if ((dwOldStyle ^ dwNewStyle) & CBRS_TOOLTIPS)
        EnableToolTips((dwNewStyle & CBRS_TOOLTIPS) != 0);
    if (!(dwNewStyle & CBRS_FLYBY))
        ShowFlybyPrompt(-1);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != NULL ? pFrame : m_pDockSite;
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar != NULL && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) != 0 || (GetStyle() & WS_VISIBLE) != 0;
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    ASSERT((dwDockStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI)) == 0);
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == NULL)
        m_pDockContext = new CDockContext(this);
    // Commands of a floating bar still go to the frame it was created in.
    if (m_hWndOwner == NULL)
        m_hWndOwner = ::GetParent(m_hWnd);
}

// ---------------------------------------------------------------------------------------------------
// Layout

CSize CControlBar::ApplyStretch(CSize size, BOOL bStretch, BOOL bHorz)
{
    if (bStretch && bHorz)
        size.cx = nStretchLength;
    else if (bStretch)
        size.cy = nStretchLength;
    return size;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return ApplyStretch(CSize(0, 0), bStretch, bHorz);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DeflateByEdges(rect, m_dwStyle);

    // The margins run along the bar: a vertical bar turns them by a quarter.
    BOOL bGripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    if (bHorz)
    {
        rect.left += m_cxLeftBorder + (bGripper ? cxGripperTotal : 0);
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder + (bGripper ? cxGripperTotal : 0);
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | (GetStyle() & WS_VISIBLE);
    if ((m_nStateFlags & (delayHide | delayShow)) == 0)
        return dwStyle;

    UINT nShowFlag = 0;
    if ((m_nStateFlags & delayHide) && (dwStyle & WS_VISIBLE))
        nShowFlag = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !(dwStyle & WS_VISIBLE))
        nShowFlag = SWP_SHOWWINDOW;

    if (nShowFlag == 0)
    {
        // The window is already as asked.
        m_nStateFlags &= ~(delayHide | delayShow);
        return dwStyle;
    }

    // The layout sees the bar as it is going to be; only a real layout carries the change out.
    dwStyle ^= WS_VISIBLE;
    if (lpLayout->hDWP != NULL)
    {
        m_nStateFlags &= ~(delayHide | delayShow);
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, 0, 0, 0, 0,
                                          nShowFlag | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return dwStyle;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD dwStyle = RecalcDelayShow(lpLayout);
    if (!(dwStyle & WS_VISIBLE) || !(dwStyle & CBRS_ALIGN_ANY))
        return 0;

    CRect rect(lpLayout->rect);
    CSize sizeAvail = rect.Size();
    BOOL bHorz = (dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size = CalcFixedLayout(lpLayout->bStretch, bHorz);
    size.cx = std::min(size.cx, sizeAvail.cx);
    size.cy = std::min(size.cy, sizeAvail.cy);

    if (bHorz)
    {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
        if (dwStyle & CBRS_ALIGN_TOP)
            lpLayout->rect.top += size.cy;
        else
        {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    }
    else
    {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
        if (dwStyle & CBRS_ALIGN_LEFT)
            lpLayout->rect.left += size.cx;
        else
        {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;

    if (lpLayout->hDWP != NULL)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

// ---------------------------------------------------------------------------------------------------
// Painting

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD dwStyle = m_dwStyle;
    if (!(dwStyle & CBRS_BORDER_ANY))
        return;

    COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    // Each edge is an etched line: shadow outside on the top and left, inside on the bottom and right.
    if (dwStyle & CBRS_BORDER_TOP)
    {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, crShadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, crHighlight);
    }
    if (dwStyle & CBRS_BORDER_BOTTOM)
    {
        pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, crShadow);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, crHighlight);
    }
    if (dwStyle & CBRS_BORDER_LEFT)
    {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), crShadow);
        pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), crHighlight);
    }
    if (dwStyle & CBRS_BORDER_RIGHT)
    {
        pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), crShadow);
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), crHighlight);
    }
    DeflateByEdges(rect, dwStyle);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    // A floating bar is moved by its frame's caption instead.
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    COLORREF crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        pDC->Draw3dRect(rect.left + m_cxLeftBorder + cxGripperSpace, rect.top + m_cyTopBorder, cxGripper,
                        rect.Height() - m_cyTopBorder - m_cyBottomBorder, crHighlight, crShadow);
    else
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + m_cxLeftBorder + cxGripperSpace,
                        rect.Width() - m_cyTopBorder - m_cyBottomBorder, cxGripper, crHighlight, crShadow);
}

void CControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CWnd::OnWindowPosChanging(lpWndPos);
    // Borders and gripper sit at the edges: a new size moves them.
    if (!(lpWndPos->flags & SWP_NOSIZE) && (m_dwStyle & (CBRS_BORDER_ANY | CBRS_GRIPPER)) != 0)
        Invalidate();
}

// ---------------------------------------------------------------------------------------------------
// Input and idle updates

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // Pressing the bar outside its items drags it.
    if (m_pDockBar != NULL && m_pDockContext != NULL && OnToolHitTest(point, NULL) == -1)
    {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
    }
    else
        CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockBar != NULL && m_pDockContext != NULL && OnToolHitTest(point, NULL) == -1)
        m_pDockContext->ToggleDocking();
    else
        CWnd::OnLButtonDblClk(nFlags, point);
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    // A floating bar updates from the frame that owns it, not from its floating frame.
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = pOwner != NULL && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    if (pTarget != NULL)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

// ---------------------------------------------------------------------------------------------------
// Tool tips and prompts

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if ((m_dwStyle & CBRS_FLYBY) && (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE))
    {
        CPoint point = pMsg->pt;
        ScreenToClient(&point);
        ShowFlybyPrompt(OnToolHitTest(point, NULL));
    }
    return FALSE;
}

void CControlBar::ShowFlybyPrompt(INT_PTR nHit)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    BOOL bShown = m_hWnd != NULL && pState->m_hWndFlyby == m_hWnd;
    if (bShown ? pState->m_nFlybyHit == nHit : nHit == -1)
        return;
    CWnd* pOwner = GetOwner();
    if (nHit == -1)
    {
        KillTimer(idFlybyCheck);
        pState->m_hWndFlyby = NULL;
        pState->m_nFlybyHit = -1;
        if (pOwner != NULL)
            pOwner->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        return;
    }
    pState->m_hWndFlyby = m_hWnd;
    pState->m_nFlybyHit = nHit;
    if (pOwner != NULL)
        pOwner->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nHit);
    SetTimer(idFlybyCheck, nFlybyCheckDelay);
}

void CControlBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != idFlybyCheck)
    {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    // The mouse may have gone to a window whose messages never pass this bar.
    CPoint point;
    ::GetCursorPos(&point);
    HWND hWndUnder = ::WindowFromPoint(point);
    if (hWndUnder != m_hWnd && !::IsChild(m_hWnd, hWndUnder))
        ShowFlybyPrompt(-1);
    if (AfxGetThreadState()->m_hWndFlyby != m_hWnd)
        KillTimer(idFlybyCheck);
}

BOOL CControlBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    CWnd* pOwner = GetOwner();
    if (pNMHDR->code >= TTN_LAST && pNMHDR->code <= TTN_FIRST && pOwner != NULL)
    {
        *pResult = pOwner->SendMessage(WM_NOTIFY, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}
