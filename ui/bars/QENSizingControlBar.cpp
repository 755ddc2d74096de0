#include "QENSizingControlBar.h"

#include "QENDrawingCache.h"
#include "QENToolBar.h"
#include "QENVisualManager.h"

#include <afxpriv.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CQENSizingControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CQENSizingControlBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCRBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CObList CQENSizingControlBar::s_listAllBars;
CPtrArray CQENSizingControlBar::s_arrCreated;
BOOL CQENSizingControlBar::s_bGradientGripper = FALSE;
BOOL CQENSizingControlBar::s_bHideLoneExpand = FALSE;
HCURSOR CQENSizingControlBar::s_hcurHorzSplit = NULL;
HCURSOR CQENSizingControlBar::s_hcurVertSplit = NULL;

namespace {

const UINT kTipHide = 16011;
const UINT kTipExpand = 16012;
const UINT kTipContract = 16013;
const UINT kHorzSplitCursor = 30980;
const UINT kVertSplitCursor = 30981;
const int kButtonGap = 2;
const int kButtonsAboveClient = 3;
const int kMinGripper = 12;

CQENSizingControlBar* RowBar(const CPtrArray& arrBars, INT_PTR i)
{
    return static_cast<CQENSizingControlBar*>(arrBars[i]);
}

} // namespace

CQENSizingControlBar::CQENSizingControlBar()
    : m_sizeDockedTB(200, 200),
      m_sizeDockedLR(200, 200),
      m_sizeFloating(200, 200),
      m_dwEdgeBits(0),
      m_nDragHit(0),
      m_sizeMax(-1, -1),
      m_sizeMin(33, 32),
      m_sizeDragMin(0, 0),
      m_sizeDragMax(0, 0),
      m_sizeSaved(0, 0),
      m_bDragging(FALSE),
      m_bFirstShow(FALSE),
      m_nDockBarID(0),
      m_nEdgeWidth(6),
      m_nGripper(0),
      m_bExpanded(FALSE),
      m_bFocused(FALSE),
      m_rectRepaint(0, 0, 0, 0),
      m_nInset(5),
      m_nRollState(RollNone),
      m_bRolled(FALSE),
      m_bStayOpen(FALSE),
      m_bAloneInRow(TRUE),
      m_captionButtons{CQENCaptionButton(HitHide, kTipHide), CQENCaptionButton(HTMAXBUTTON, kTipExpand)},
      m_ptDragOrigin(0, 0),
      m_bSideTracking(FALSE),
      m_rectTracker(0, 0, 0, 0)
{
}

CQENSizingControlBar::~CQENSizingControlBar()
{
    for (INT_PTR i = s_arrCreated.GetSize() - 1; i >= 0; i--)
        if (s_arrCreated[i] == this)
            s_arrCreated.RemoveAt(i);
    if (POSITION pos = s_listAllBars.Find(this))
        s_listAllBars.RemoveAt(pos);
}

BOOL CQENSizingControlBar::Create(LPCTSTR lpszTitle, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                                  DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    m_sizeDockedTB = m_sizeDockedLR = m_sizeFloating = sizeDefault;
    m_nGripper = GripperThickness(bHasGripper);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    const DWORD dwWindowStyle = (dwStyle & 0xFFBF0000) | WS_CLIPCHILDREN;
    if (!CWnd::Create(lpszClass, lpszTitle, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    m_dwStyle |= CBRS_SIZE_DYNAMIC;
    return TRUE;
}

int CQENSizingControlBar::GripperThickness(BOOL bHasGripper) const
{
    if (!bHasGripper)
        return 0;
    // The caption buttons sit inside the strip, not over the bar's content.
    const CSize sizeButton = m_captionButtons[ButtonHide].Size();
    return std::max({kMinGripper, theDrawingCache.m_nMenuTextHeight, (int)sizeButton.cx, (int)sizeButton.cy});
}

// ---------------------------------------------------------------------------------------------------
// Creation and the lists

int CQENSizingControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    s_arrCreated.Add(this);
    m_dwEdgeBits |= EdgesEnabled;
    if (m_wndTips.Create(this))
    {
        m_wndTips.Activate(TRUE);
        const CRect rectNone(0, 0, 0, 0);
        m_wndTips.AddTool(this, m_captionButtons[ButtonHide].m_nTooltipId, &rectNone, ButtonHide + 1);
        m_wndTips.AddTool(this, m_captionButtons[ButtonExpand].m_nTooltipId, &rectNone, ButtonExpand + 1);
    }
    if (s_hcurHorzSplit == NULL)
    {
        s_hcurHorzSplit = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kHorzSplitCursor));
        if (s_hcurHorzSplit == NULL)
            s_hcurHorzSplit = ::LoadCursor(NULL, IDC_SIZEWE);
        s_hcurVertSplit = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kVertSplitCursor));
        if (s_hcurVertSplit == NULL)
            s_hcurVertSplit = ::LoadCursor(NULL, IDC_SIZENS);
    }
    s_listAllBars.AddTail(this);
    return 0;
}

void CQENSizingControlBar::OnDestroy()
{
    if (POSITION pos = s_listAllBars.Find(this))
        s_listAllBars.RemoveAt(pos);
    CControlBar::OnDestroy();
}

void CQENSizingControlBar::OnNcDestroy()
{
    for (INT_PTR i = s_arrCreated.GetSize() - 1; i >= 0; i--)
        if (s_arrCreated[i] == this)
            s_arrCreated.RemoveAt(i);
    CControlBar::OnNcDestroy();
}

BOOL CQENSizingControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndTips.GetSafeHwnd() != NULL && pMsg->hwnd == m_hWnd)
    {
        // The buttons live in the non-client area; the tips know them in client coordinates.
        MSG msg = *pMsg;
        if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK)
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ScreenToClient(&pt);
            msg.message += WM_MOUSEMOVE - WM_NCMOUSEMOVE;
            msg.lParam = MAKELPARAM(pt.x, pt.y);
        }
        m_wndTips.RelayEvent(&msg);
    }
    return CControlBar::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------------------------------
// Slots

void CQENSizingControlBar::SetMinSize(CSize size)
{
    m_sizeMin = size;
    m_sizeFloating.cx = std::max(m_sizeFloating.cx, size.cx);
    m_sizeFloating.cy = std::max(m_sizeFloating.cy, size.cy);
}

void CQENSizingControlBar::SetMaxSize(CSize size)
{
    m_sizeMax = size;
    if (size.cx > 0)
        m_sizeFloating.cx = std::min(m_sizeFloating.cx, size.cx);
    if (size.cy > 0)
        m_sizeFloating.cy = std::min(m_sizeFloating.cy, size.cy);
}

BOOL CQENSizingControlBar::CanClose() const
{
    return TRUE;
}

void CQENSizingControlBar::SwitchCustomizeMode(BOOL bCustomizing)
{
    for (CWnd* pChild = GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT))
        pChild->EnableWindow(!bCustomizing);
}

BOOL CQENSizingControlBar::ClipNcPaintToUpdateRegion() const
{
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// Placement

BOOL CQENSizingControlBar::IsDockedTopBottom() const
{
    return m_nDockBarID == AFX_IDW_DOCKBAR_TOP || m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
}

BOOL CQENSizingControlBar::IsDockedLeftRight() const
{
    return m_nDockBarID == AFX_IDW_DOCKBAR_LEFT || m_nDockBarID == AFX_IDW_DOCKBAR_RIGHT;
}

BOOL CQENSizingControlBar::IsUndocked() const
{
    return !IsDockedTopBottom() && !IsDockedLeftRight();
}

BOOL CQENSizingControlBar::IsHorzDocked() const
{
    return IsDockedTopBottom();
}

CSize& CQENSizingControlBar::DockedSize()
{
    return IsDockedLeftRight() ? m_sizeDockedLR : m_sizeDockedTB;
}

LONG CQENSizingControlBar::LengthOf(const CSize& size) const
{
    return IsHorzDocked() ? size.cx : size.cy;
}

LONG& CQENSizingControlBar::LengthOf(CSize& size) const
{
    return IsHorzDocked() ? size.cx : size.cy;
}

LONG CQENSizingControlBar::ThicknessOf(const CSize& size) const
{
    return IsHorzDocked() ? size.cy : size.cx;
}

LONG& CQENSizingControlBar::ThicknessOf(CSize& size) const
{
    return IsHorzDocked() ? size.cy : size.cx;
}

CFrameWnd* CQENSizingControlBar::DockFrame() const
{
    return m_pDockSite != NULL ? m_pDockSite : GetParentFrame();
}

void CQENSizingControlBar::GetRowBars(CPtrArray& arrBars) const
{
    arrBars.RemoveAll();
    CDockBar* pDockBar = m_pDockBar;
    const int nPos = (pDockBar != NULL && !IsUndocked()) ? pDockBar->FindBar(const_cast<CQENSizingControlBar*>(this)) : -1;
    if (nPos < 0)
    {
        arrBars.Add(const_cast<CQENSizingControlBar*>(this));
        return;
    }
    int nStart = nPos;
    while (nStart > 0 && !pDockBar->IsRowBreak(nStart - 1))
        nStart--;
    for (int i = nStart; i < pDockBar->GetEntryCount() && !pDockBar->IsRowBreak(i); i++)
    {
        CControlBar* pBar = pDockBar->GetDockedControlBar(i);
        if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CQENSizingControlBar)) && (pBar == this || pBar->IsVisible()))
            arrBars.Add(pBar);
    }
}

int CQENSizingControlBar::AvailableRowLength() const
{
    CDockBar* pDockBar = m_pDockBar;
    if (pDockBar == NULL)
        return 0;
    const BOOL bHorz = IsHorzDocked();
    CRect rect = pDockBar->m_rectLayout;
    if (rect.IsRectEmpty())
        pDockBar->GetClientRect(&rect);
    CRect rectBorders(0, 0, 0, 0);
    pDockBar->CalcInsideRect(rectBorders, bHorz);
    int nLength = bHorz ? rect.Width() - (rectBorders.left - rectBorders.right)
                        : rect.Height() - (rectBorders.top - rectBorders.bottom);

    // Other bars of the row keep their own length.
    const int nPos = pDockBar->FindBar(const_cast<CQENSizingControlBar*>(this));
    if (nPos < 0)
        return nLength;
    int nStart = nPos;
    while (nStart > 0 && !pDockBar->IsRowBreak(nStart - 1))
        nStart--;
    for (int i = nStart; i < pDockBar->GetEntryCount() && !pDockBar->IsRowBreak(i); i++)
    {
        CControlBar* pBar = pDockBar->GetDockedControlBar(i);
        if (pBar == NULL || pBar->IsKindOf(RUNTIME_CLASS(CQENSizingControlBar)) || !pBar->IsVisible())
            continue;
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        nLength -= bHorz ? rectBar.Width() : rectBar.Height();
    }
    return nLength;
}

// ---------------------------------------------------------------------------------------------------
// Layout

BOOL CQENSizingControlBar::FitRow()
{
    CPtrArray arrBars;
    GetRowBars(arrBars);
    const int nAvailable = AvailableRowLength();
    int nMinTotal = 0;
    LONG nThickness = 0;
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    {
        CQENSizingControlBar* pBar = RowBar(arrBars, i);
        nMinTotal += LengthOf(pBar->m_sizeMin);
        nThickness = std::max(nThickness, ThicknessOf(pBar->DockedSize()));
    }
    if (nAvailable < nMinTotal)
    {
        // The bar goes to a row of its own, where it fits as well as it can.
        if (arrBars.GetSize() > 1 && m_pDockBar->BreakRowAfter(this))
        {
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            FitRow();
            return FALSE;
        }
        // Alone, it keeps its minimum.
        LengthOf(DockedSize()) = LengthOf(m_sizeMin);
        return FALSE;
    }

    int nDifference = nAvailable;
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    {
        CQENSizingControlBar* pBar = RowBar(arrBars, i);
        CSize& size = pBar->DockedSize();
        ThicknessOf(size) = nThickness;
        LengthOf(size) = std::max(LengthOf(size), LengthOf(pBar->m_sizeMin));
        nDifference -= LengthOf(size);
    }
    // One pixel at a time, so that every bar takes its share of the change.
    BOOL bChanged = TRUE;
    while (nDifference != 0 && bChanged)
    {
        bChanged = FALSE;
        for (INT_PTR i = 0; i < arrBars.GetSize() && nDifference != 0; i++)
        {
            CQENSizingControlBar* pBar = RowBar(arrBars, i);
            LONG& nLength = LengthOf(pBar->DockedSize());
            if (nDifference > 0)
            {
                nLength++;
                nDifference--;
                bChanged = TRUE;
            }
            else if (nLength > LengthOf(pBar->m_sizeMin))
            {
                nLength--;
                nDifference++;
                bChanged = TRUE;
            }
        }
    }
    return TRUE;
}

void CQENSizingControlBar::CheckRowLayout()
{
    // A bar's sizing edges depend on its place in the row.
    CPtrArray arrBars;
    GetRowBars(arrBars);
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
        RowBar(arrBars, i)->SetWindowPos(NULL, 0, 0, 0, 0,
                                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

CSize CQENSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (m_pDockBar != NULL && !m_pDockBar->m_bFloating)
        m_nDockBarID = m_pDockBar->GetDlgCtrlID();
    if (bStretch)
        return bHorz ? CSize(nStretchLength, m_sizeDockedTB.cy) : CSize(m_sizeDockedLR.cx, nStretchLength);
    if (IsUndocked())
        return m_sizeFloating;

    CPtrArray arrBars;
    GetRowBars(arrBars);
    BOOL bAnyExpanded = FALSE;
    int nLength = 0;
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    {
        bAnyExpanded |= RowBar(arrBars, i)->m_bExpanded;
        nLength += LengthOf(RowBar(arrBars, i)->DockedSize());
    }
    // The first bar of the row makes the row fill its length, the others follow its sizes.
    if (arrBars[0] == this && IsVisible())
    {
        if (!bAnyExpanded && (m_bFirstShow || nLength != AvailableRowLength()))
        {
            m_bFirstShow = FALSE;
            if (FitRow())
                CheckRowLayout();
            // A bar the row could not hold is in a row of its own now.
            GetRowBars(arrBars);
        }
        if (!m_pDockBar->m_bLayoutQuery)
            PlaceRow(arrBars);
    }
    m_bAloneInRow = arrBars.GetSize() < 2;
    return LaidOutSize(arrBars);
}

CSize CQENSizingControlBar::LaidOutSize(const CPtrArray& arrBars) const
{
    CSize size = IsDockedLeftRight() ? m_sizeDockedLR : m_sizeDockedTB;
    CSize sizeMax = m_sizeMax;
    if (ThicknessOf(sizeMax) > 0)
        ThicknessOf(size) = std::min(ThicknessOf(size), ThicknessOf(sizeMax));
    size.cx = std::max(size.cx, m_sizeMin.cx);
    size.cy = std::max(size.cy, m_sizeMin.cy);
    if (arrBars.GetSize() > 1)
    {
        int nOthersMin = 0;
        CQENSizingControlBar* pExpanded = NULL;
        for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
        {
            CQENSizingControlBar* pBar = RowBar(arrBars, i);
            if (pBar->m_bExpanded)
                pExpanded = pBar;
            if (pBar != this)
                nOthersMin += LengthOf(pBar->m_sizeMin);
        }
        if (pExpanded == this)
            LengthOf(size) = std::max(AvailableRowLength() - nOthersMin, (int)LengthOf(m_sizeMin));
        else if (pExpanded != NULL)
            LengthOf(size) = LengthOf(m_sizeMin);
    }
    return size;
}

void CQENSizingControlBar::PlaceRow(const CPtrArray& arrBars)
{
    // The dock bar leaves a bar where it is when that is further along the row than the bar before
    // it ends; the sizing bars of a row follow one another without gaps, from the row's start
    // unless another bar comes first.
    CDockBar* pDockBar = m_pDockBar;
    const BOOL bHorz = IsHorzDocked();
    CRect rect;
    GetWindowRect(&rect);
    pDockBar->ScreenToClient(&rect);
    int nAlong = bHorz ? rect.left : rect.top;
    BOOL bFirstInRow = TRUE;
    for (int i = pDockBar->FindBar(this) - 1; i > 0 && !pDockBar->IsRowBreak(i); i--)
    {
        CControlBar* pBar = pDockBar->GetDockedControlBar(i);
        if (pBar != NULL && pBar->IsVisible())
            bFirstInRow = FALSE;
    }
    if (bFirstInRow)
        nAlong = 0;

    HDWP hDWP = ::BeginDeferWindowPos((int)arrBars.GetSize());
    for (INT_PTR i = 0; i < arrBars.GetSize() && hDWP != NULL; i++)
    {
        CQENSizingControlBar* pBar = RowBar(arrBars, i);
        pBar->GetWindowRect(&rect);
        pDockBar->ScreenToClient(&rect);
        const CPoint pt = bHorz ? CPoint(nAlong, rect.top) : CPoint(rect.left, nAlong);
        hDWP = ::DeferWindowPos(hDWP, pBar->m_hWnd, NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        nAlong += LengthOf(pBar->LaidOutSize(arrBars));
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
}

CSize CQENSizingControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    CWnd* pFocus = GetFocus();
    const BOOL bFocusInside = pFocus != NULL && (pFocus == this || IsChild(pFocus));
    if (m_bRolled && IsFloating() && !bFocusInside)
        return CSize(m_sizeFloating.cx, ::GetSystemMetrics(SM_CYFRAME) - 1);
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    if (!(nMode & (LM_MRUWIDTH | LM_COMMIT)) && nLength >= 0)
        ((nMode & LM_LENGTHY) ? m_sizeFloating.cy : m_sizeFloating.cx) = nLength;
    if (m_sizeMax.cx > 0)
        m_sizeFloating.cx = std::min(m_sizeFloating.cx, m_sizeMax.cx);
    if (m_sizeMax.cy > 0)
        m_sizeFloating.cy = std::min(m_sizeFloating.cy, m_sizeMax.cy);
    m_sizeFloating.cx = std::max(m_sizeFloating.cx, m_sizeMin.cx);
    m_sizeFloating.cy = std::max(m_sizeFloating.cy, m_sizeMin.cy);
    return m_sizeFloating;
}

// ---------------------------------------------------------------------------------------------------
// Expand and contract

void CQENSizingControlBar::Expand(BOOL bToggle)
{
    if (IsFloating() || IsUndocked())
        return;
    CPtrArray arrBars;
    GetRowBars(arrBars);
    if (arrBars.GetSize() < 2)
        return;
    if (bToggle)
        m_bExpanded = !m_bExpanded;
    const int nAvailable = AvailableRowLength();
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    {
        CQENSizingControlBar* pBar = RowBar(arrBars, i);
        if (!m_bExpanded)
        {
            pBar->DockedSize() = pBar->m_sizeSaved;
            continue;
        }
        if (pBar != this && pBar->m_bExpanded)
        {
            pBar->m_bExpanded = FALSE;
            pBar->m_wndTips.UpdateTipText(kTipExpand, pBar, ButtonExpand + 1);
            pBar->RedrawButton(ButtonExpand);
        }
        pBar->m_sizeSaved = pBar->DockedSize();
        LengthOf(pBar->DockedSize()) = pBar == this ? nAvailable : LengthOf(pBar->m_sizeMin);
    }
    m_wndTips.UpdateTipText(m_bExpanded ? kTipContract : kTipExpand, this, ButtonExpand + 1);
    RedrawButton(ButtonExpand);
    if (CFrameWnd* pFrame = DockFrame())
        pFrame->DelayRecalcLayout();
}

// ---------------------------------------------------------------------------------------------------
// Persistence

CSize CQENSizingControlBar::ScreenSize()
{
    CSize size(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    if (size.cx <= 0 || size.cy <= 0)
        size = CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return size;
}

CString CQENSizingControlBar::SectionFor(LPCTSTR lpszProfileName, UINT nID)
{
    CString strBase;
    if (lpszProfileName != NULL)
        strBase = lpszProfileName;
    else
    {
        CWinApp* pApp = AfxGetApp();
        strBase = "SOFTWARE\\";
        if (pApp->m_pszRegistryKey != NULL && *pApp->m_pszRegistryKey != '\0')
        {
            strBase += pApp->m_pszRegistryKey;
            strBase += "\\";
        }
        if (pApp->m_pszProfileName != NULL)
            strBase += pApp->m_pszProfileName;
        strBase += "\\QENSizingControlBar\\";
    }
    CString strSection;
    strSection.Format("%s-SCBar-%d", (LPCTSTR)strBase, (int)nID);
    return strSection;
}

BOOL CQENSizingControlBar::LoadState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    const CString strSection = SectionFor(lpszProfileName, GetDlgCtrlID());
    // A stored size is at least the minimum and no larger than the screens can show.
    const CSize sizeScreen = ScreenSize();
    auto read = [&](LPCTSTR lpszEntry, int nCurrent, int nMin, int nMax) {
        const int nStored = (int)pApp->GetProfileInt(strSection, lpszEntry, nCurrent);
        return std::max(nMin, std::min(nMax, nStored));
    };
    m_sizeDockedTB.cx = read("sizeHorzCX", m_sizeDockedTB.cx, m_sizeMin.cx, sizeScreen.cx);
    m_sizeDockedTB.cy = read("sizeHorzCY", m_sizeDockedTB.cy, m_sizeMin.cy, sizeScreen.cy);
    m_sizeDockedLR.cx = read("sizeVertCX", m_sizeDockedLR.cx, m_sizeMin.cx, sizeScreen.cx);
    m_sizeDockedLR.cy = read("sizeVertCY", m_sizeDockedLR.cy, m_sizeMin.cy, sizeScreen.cy);
    m_sizeFloating.cx = read("sizeFloatCX", m_sizeFloating.cx, m_sizeMin.cx, sizeScreen.cx);
    m_sizeFloating.cy = read("sizeFloatCY", m_sizeFloating.cy, m_sizeMin.cy, sizeScreen.cy);
    if (pApp->GetProfileInt(strSection, "Expanded", 0) != 0 && !m_bExpanded)
        Expand(TRUE);

    m_bRolled = (BOOL)pApp->GetProfileInt(strSection, "RolledFloat", m_bRolled);
    const int nRollState = (int)pApp->GetProfileInt(strSection, "RolledFloatDynamicState", m_nRollState);
    m_nRollState = (nRollState >= RollNone && nRollState <= RollAutoTitleWidePinned) ? nRollState : RollNone;
    if (m_nRollState == RollAuto || m_nRollState == RollAutoTitleWide)
        m_bRolled = TRUE;
    // Without a roll button a rolled bar could never open again; pinned means open.
    else if (m_nRollState != RollManual)
        m_bRolled = FALSE;
    if (IsFloating())
    {
        // The floating frame takes the bar's roll state whenever it is sized.
        CWnd* pFrame = GetParentFrame();
        CRect rect;
        pFrame->GetClientRect(&rect);
        pFrame->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
        if (CFrameWnd* pFloatingFrame = DYNAMIC_DOWNCAST(CFrameWnd, pFrame))
            pFloatingFrame->DelayRecalcLayout();
    }
    return TRUE;
}

BOOL CQENSizingControlBar::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    const CString strSection = SectionFor(lpszProfileName, GetDlgCtrlID());
    // In an expanded row every bar keeps its size from before the expansion.
    CPtrArray arrBars;
    GetRowBars(arrBars);
    BOOL bRowExpanded = FALSE;
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
        bRowExpanded |= RowBar(arrBars, i)->m_bExpanded;
    const CSize sizeTB = (bRowExpanded && IsDockedTopBottom()) ? m_sizeSaved : m_sizeDockedTB;
    const CSize sizeLR = (bRowExpanded && IsDockedLeftRight()) ? m_sizeSaved : m_sizeDockedLR;
    BOOL bWritten = pApp->WriteProfileInt(strSection, "sizeHorzCX", sizeTB.cx);
    bWritten &= pApp->WriteProfileInt(strSection, "sizeHorzCY", sizeTB.cy);
    bWritten &= pApp->WriteProfileInt(strSection, "sizeVertCX", sizeLR.cx);
    bWritten &= pApp->WriteProfileInt(strSection, "sizeVertCY", sizeLR.cy);
    bWritten &= pApp->WriteProfileInt(strSection, "sizeFloatCX", m_sizeFloating.cx);
    bWritten &= pApp->WriteProfileInt(strSection, "sizeFloatCY", m_sizeFloating.cy);
    bWritten &= pApp->WriteProfileInt(strSection, "Expanded", m_bExpanded);
    if (m_nRollState != RollNone)
    {
        bWritten &= pApp->WriteProfileInt(strSection, "RolledFloat", m_bRolled);
        bWritten &= pApp->WriteProfileInt(strSection, "RolledFloatDynamicState", m_nRollState);
    }
    return bWritten;
}

// ---------------------------------------------------------------------------------------------------
// Non-client area

void CQENSizingControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect = lpncsp->rgrc[0];
    const CRect rectWindow = rect;
    rect.DeflateRect(m_nInset, m_nInset);

    DWORD dwBits = 0;
    switch (m_nDockBarID)
    {
    case AFX_IDW_DOCKBAR_TOP:
        dwBits = EdgeBottom;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        dwBits = EdgeTop;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        dwBits = EdgeRight;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        dwBits = EdgeLeft;
        break;
    }
    const BOOL bHorz = IsDockedTopBottom();
    if (bHorz)
        rect.left += m_nGripper;
    else if (IsDockedLeftRight())
        rect.top += m_nGripper;

    BOOL bLast = TRUE;
    if (!IsUndocked())
    {
        CPtrArray arrBars;
        GetRowBars(arrBars);
        if (arrBars.GetSize() > 0 && arrBars[0] != this)
            dwBits |= bHorz ? EdgeLeft : EdgeTop;
        if (arrBars.GetSize() > 0 && arrBars[arrBars.GetSize() - 1] != this)
        {
            dwBits |= bHorz ? EdgeRight : EdgeBottom;
            bLast = FALSE;
        }
    }

    DWORD dwEdges = 0;
    if (m_dwEdgeBits & EdgesEnabled)
    {
        if (m_nDockBarID == AFX_IDW_DOCKBAR_RIGHT && (dwBits & EdgeLeft))
            dwEdges |= EdgeLeft;
        if (m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM && (dwBits & EdgeTop))
            dwEdges |= EdgeTop;
        if ((dwBits & EdgeRight) && (m_nDockBarID == AFX_IDW_DOCKBAR_LEFT || !bLast))
            dwEdges |= EdgeRight;
        if (m_nDockBarID == AFX_IDW_DOCKBAR_TOP || ((dwBits & EdgeBottom) && !bLast))
            dwEdges |= EdgeBottom;
    }
    m_dwEdgeBits = (m_dwEdgeBits & EdgesEnabled) | dwEdges;
    if (dwEdges & EdgeLeft)
        rect.left += m_nEdgeWidth;
    if (dwEdges & EdgeTop)
        rect.top += m_nEdgeWidth;
    if (dwEdges & EdgeRight)
        rect.right -= m_nEdgeWidth;
    if (dwEdges & EdgeBottom)
        rect.bottom -= m_nEdgeWidth;

    // The caption buttons, in window coordinates.
    CQENCaptionButton& hide = m_captionButtons[ButtonHide];
    CQENCaptionButton& expand = m_captionButtons[ButtonExpand];
    hide.m_bHidden = IsUndocked();
    expand.m_bHidden = IsUndocked() || (s_bHideLoneExpand && m_bAloneInRow);
    const CPoint ptOrigin = rectWindow.TopLeft();
    if (bHorz)
    {
        const int xStrip = rect.left - m_nGripper - ptOrigin.x;
        int y = rect.top - kButtonsAboveClient - ptOrigin.y;
        for (CQENCaptionButton* pButton : {&hide, &expand})
        {
            const CSize size = pButton->Size();
            pButton->PlaceAt(CPoint(xStrip + (m_nGripper - size.cx) / 2, y));
            if (!pButton->m_bHidden)
                y += size.cy + kButtonGap;
        }
    }
    else
    {
        int x = rect.right - ptOrigin.x;
        const int yStrip = rect.top - m_nGripper - ptOrigin.y;
        for (CQENCaptionButton* pButton : {&hide, &expand})
        {
            const CSize size = pButton->Size();
            pButton->PlaceAt(CPoint(x - size.cx, yStrip + (m_nGripper - size.cy) / 2));
            if (!pButton->m_bHidden)
                x -= size.cx + kButtonGap;
        }
    }
    if (m_wndTips.GetSafeHwnd() != NULL)
    {
        const CSize sizeToClient = ptOrigin - rect.TopLeft();
        for (int i = 0; i < 2; i++)
        {
            CRect rectTool = m_captionButtons[i].m_bHidden ? CRect(0, 0, 0, 0) : m_captionButtons[i].m_rect + sizeToClient;
            m_wndTips.SetToolRect(this, i + 1, &rectTool);
        }
    }

    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    lpncsp->rgrc[0] = rect;

    if (!m_bDragging && GetCapture() == this && !hide.m_bPressed && !expand.m_bPressed)
        ReleaseCapture();
}

CRect CQENSizingControlBar::GripperRect() const
{
    CRect rectWindow, rectClient;
    GetWindowRect(&rectWindow);
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.TopLeft());
    if (IsDockedTopBottom())
        return CRect(rectClient.left - m_nGripper, rectClient.top, rectClient.left, rectClient.bottom);
    if (IsDockedLeftRight())
        return CRect(rectClient.left, rectClient.top - m_nGripper, rectClient.right, rectClient.top);
    return CRect(0, 0, 0, 0);
}

void CQENSizingControlBar::PaintGripper(CDC* pDC, const CRect& rectGripper)
{
    if (rectGripper.IsRectEmpty())
        return;
    const COLORREF crCaption = ::GetSysColor(m_bFocused ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    if (s_bGradientGripper)
    {
        BOOL bGradientCaptions = FALSE;
        ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &bGradientCaptions, 0);
        const COLORREF crTo = bGradientCaptions
                                  ? ::GetSysColor(m_bFocused ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION)
                                  : theDrawingCache.m_crFace;
        const BOOL bAlongX = IsDockedLeftRight();
        const int nSteps = std::max(1, bAlongX ? rectGripper.Width() : rectGripper.Height());
        for (int i = 0; i < nSteps; i++)
        {
            const COLORREF cr = RGB(GetRValue(crCaption) + (GetRValue(crTo) - GetRValue(crCaption)) * i / nSteps,
                                    GetGValue(crCaption) + (GetGValue(crTo) - GetGValue(crCaption)) * i / nSteps,
                                    GetBValue(crCaption) + (GetBValue(crTo) - GetBValue(crCaption)) * i / nSteps);
            // Horizontal bars run their caption from the bottom up, like their title.
            CRect rectStep = bAlongX ? CRect(rectGripper.left + i, rectGripper.top, rectGripper.left + i + 1, rectGripper.bottom)
                                     : CRect(rectGripper.left, rectGripper.bottom - i - 1, rectGripper.right, rectGripper.bottom - i);
            pDC->FillSolidRect(&rectStep, cr);
        }
    }
    else
        pDC->FillSolidRect(&rectGripper, crCaption);

    CString strTitle;
    GetWindowText(strTitle);
    if (strTitle.IsEmpty())
        return;
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rectGripper);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(m_bFocused ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    if (IsDockedTopBottom())
    {
        pDC->SelectObject(&theDrawingCache.m_fontVertical90);
        pDC->TextOut(rectGripper.left, rectGripper.bottom - 3, strTitle);
    }
    else
    {
        pDC->SelectObject(&theDrawingCache.m_fontMenu);
        pDC->TextOut(rectGripper.left + 3, rectGripper.top, strTitle);
    }
    pDC->RestoreDC(nSaved);
}

void CQENSizingControlBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectWindow, rectClient;
    GetWindowRect(&rectWindow);
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    if (ClipNcPaintToUpdateRegion())
    {
        const MSG* pMsg = GetCurrentMessage();
        if (pMsg != NULL && pMsg->message == WM_NCPAINT && pMsg->wParam > 1)
        {
            CRgn rgn;
            rgn.CreateRectRgn(0, 0, 0, 0);
            rgn.CopyRgn(CRgn::FromHandle((HRGN)pMsg->wParam));
            rgn.OffsetRgn(-rectWindow.TopLeft());
            dc.SelectClipRgn(&rgn, RGN_AND);
        }
    }
    rectClient.OffsetRect(-rectWindow.TopLeft());
    rectWindow.OffsetRect(-rectWindow.TopLeft());
    dc.ExcludeClipRect(&rectClient);

    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    pManager->PaintBarBackground(&dc, this, rectWindow, rectWindow);
    CRect rectInner = rectWindow;
    pManager->PaintBarEdges(&dc, this, rectInner);

    // Each sizing edge reads as a raised splitter.
    const CQENDrawingCache& cache = theDrawingCache;
    if (m_dwEdgeBits & EdgeLeft)
        dc.Draw3dRect(CRect(rectWindow.left, rectWindow.top, rectWindow.left + m_nEdgeWidth, rectWindow.bottom),
                      cache.m_crHighlight, cache.m_crShadow);
    if (m_dwEdgeBits & EdgeRight)
        dc.Draw3dRect(CRect(rectWindow.right - m_nEdgeWidth, rectWindow.top, rectWindow.right, rectWindow.bottom),
                      cache.m_crHighlight, cache.m_crShadow);
    if (m_dwEdgeBits & EdgeTop)
        dc.Draw3dRect(CRect(rectWindow.left, rectWindow.top, rectWindow.right, rectWindow.top + m_nEdgeWidth),
                      cache.m_crHighlight, cache.m_crShadow);
    if (m_dwEdgeBits & EdgeBottom)
        dc.Draw3dRect(CRect(rectWindow.left, rectWindow.bottom - m_nEdgeWidth, rectWindow.right, rectWindow.bottom),
                      cache.m_crHighlight, cache.m_crShadow);

    PaintGripper(&dc, GripperRect());
    for (CQENCaptionButton& button : m_captionButtons)
        if (!button.m_bHidden)
            pManager->PaintCaptionButton(&dc, &button, IsDockedTopBottom(), m_bExpanded, m_bAloneInRow);
}

void CQENSizingControlBar::RedrawButton(int iButton)
{
    if (m_hWnd == NULL)
        return;
    m_rectRepaint = m_captionButtons[iButton].m_rect;
    if (m_rectRepaint.IsRectEmpty())
        return;
    CWindowDC dc(this);
    CRect rectWindow, rectClient;
    GetWindowRect(&rectWindow);
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.TopLeft());
    dc.ExcludeClipRect(&rectClient);
    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    CRect rectBack = m_rectRepaint;
    pManager->PaintBarBackground(&dc, this, rectBack, rectBack);
    PaintGripper(&dc, GripperRect() & m_rectRepaint);
    pManager->PaintCaptionButton(&dc, &m_captionButtons[iButton], IsDockedTopBottom(), m_bExpanded, m_bAloneInRow);
}

void CQENSizingControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    CWnd* pFocus = GetFocus();
    const BOOL bFocused = pFocus != NULL && (pFocus == this || IsChild(pFocus));
    if (bFocused != m_bFocused)
    {
        m_bFocused = bFocused;
        RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

// ---------------------------------------------------------------------------------------------------
// Hit testing and the mouse

UINT CQENSizingControlBar::EdgeHit(CPoint ptScreen) const
{
    CRect rect;
    GetWindowRect(&rect);
    if (!rect.PtInRect(ptScreen))
        return HTNOWHERE;
    if ((m_dwEdgeBits & EdgeLeft) && ptScreen.x < rect.left + m_nEdgeWidth)
        return HTLEFT;
    if ((m_dwEdgeBits & EdgeTop) && ptScreen.y < rect.top + m_nEdgeWidth)
        return HTTOP;
    if ((m_dwEdgeBits & EdgeRight) && ptScreen.x >= rect.right - m_nEdgeWidth)
        return HTRIGHT;
    if ((m_dwEdgeBits & EdgeBottom) && ptScreen.y >= rect.bottom - m_nEdgeWidth)
        return HTBOTTOM;
    return HTNOWHERE;
}

int CQENSizingControlBar::ButtonAt(CPoint ptScreen) const
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const CPoint pt = ptScreen - rectWindow.TopLeft();
    for (int i = 0; i < 2; i++)
        if (!m_captionButtons[i].m_bHidden && m_captionButtons[i].m_rect.PtInRect(pt))
            return i;
    return -1;
}

LRESULT CQENSizingControlBar::OnNcHitTest(CPoint point)
{
    const UINT nEdge = EdgeHit(point);
    if (nEdge != HTNOWHERE)
        return nEdge;
    if (IsFloating())
        return CControlBar::OnNcHitTest(point);
    const int iButton = ButtonAt(point);
    if (iButton >= 0)
        return m_captionButtons[iButton].m_nHit;
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    return rectClient.PtInRect(point) ? HTCLIENT : HTCAPTION;
}

void CQENSizingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (IsFloating())
    {
        CControlBar::OnNcLButtonDown(nHitTest, point);
        return;
    }
    if (m_bDragging)
        return;
    for (int i = 0; i < 2; i++)
    {
        CQENCaptionButton& button = m_captionButtons[i];
        if (button.m_bHidden || button.m_nHit != nHitTest)
            continue;
        if (i == ButtonExpand && m_bAloneInRow)
            return;
        button.m_bPressed = button.m_bHot = TRUE;
        RedrawButton(i);
        SetCapture();
        return;
    }
    if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT)
        StartTracking(nHitTest);
    else if (nHitTest == HTCAPTION && m_pDockContext != NULL)
        m_pDockContext->StartDrag(point);
}

void CQENSizingControlBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (!IsFloating() && nHitTest == HTCAPTION && m_pDockContext != NULL)
        m_pDockContext->ToggleDocking();
    else
        CControlBar::OnNcLButtonDblClk(nHitTest, point);
}

void CQENSizingControlBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    for (int i = 0; i < 2; i++)
    {
        CQENCaptionButton& button = m_captionButtons[i];
        const BOOL bHot = !button.m_bHidden && button.m_nHit == nHitTest;
        if (bHot != button.m_bHot)
        {
            button.m_bHot = bHot;
            RedrawButton(i);
        }
    }
    CControlBar::OnNcMouseMove(nHitTest, point);
}

void CQENSizingControlBar::SendPopupMenuRequest(CPoint ptScreen)
{
    CFrameWnd* pFrame = DockFrame();
    if (pFrame != NULL)
        pFrame->SendMessage(QENM_TOOLBAR_POPUPMENU, (WPARAM)m_hWnd, MAKELPARAM(ptScreen.x, ptScreen.y));
}

void CQENSizingControlBar::OnNcRButtonUp(UINT nHitTest, CPoint point)
{
    if (!CQENToolBar::s_bCustomizing)
        SendPopupMenuRequest(point);
    else
        CControlBar::OnNcRButtonUp(nHitTest, point);
}

void CQENSizingControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const UINT nHit = (UINT)OnNcHitTest(ptScreen);
    if (nHit != HTCLIENT)
    {
        OnNcLButtonDown(nHit, ptScreen);
        return;
    }
    if (!m_bDragging && !IsFloating() && m_pDockContext != NULL)
        m_pDockContext->StartDrag(ptScreen);
    else
        CWnd::OnLButtonDown(nFlags, point);
}

void CQENSizingControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bDragging)
    {
        StopTracking();
        // A drag that leaves one of two bars at its minimum has expanded the other.
        CPtrArray arrBars;
        GetRowBars(arrBars);
        const INT_PTR nBars = arrBars.GetSize();
        const int nAvailable = AvailableRowLength();
        int nMinTotal = 0;
        for (INT_PTR i = 0; i < nBars; i++)
            nMinTotal += LengthOf(RowBar(arrBars, i)->m_sizeMin);
        for (INT_PTR i = 0; i < nBars; i++)
        {
            CQENSizingControlBar* pBar = RowBar(arrBars, i);
            const int nLength = LengthOf(pBar->DockedSize());
            const int nExpandedLength = nAvailable - (nMinTotal - LengthOf(pBar->m_sizeMin));
            const BOOL bExpanded = nBars == 2 && nLength == nExpandedLength;
            if (nLength == LengthOf(pBar->m_sizeSaved))
                LengthOf(pBar->m_sizeSaved) = nAvailable / (int)nBars;
            if (bExpanded != pBar->m_bExpanded)
            {
                pBar->m_bExpanded = bExpanded;
                // Contracting a row the drag expanded shares the row evenly.
                if (bExpanded)
                    for (INT_PTR j = 0; j < nBars; j++)
                    {
                        CQENSizingControlBar* pRowBar = RowBar(arrBars, j);
                        pRowBar->m_sizeSaved = pRowBar->DockedSize();
                        LengthOf(pRowBar->m_sizeSaved) = nAvailable / (int)nBars;
                    }
                pBar->m_wndTips.UpdateTipText(bExpanded ? kTipContract : kTipExpand, pBar, ButtonExpand + 1);
                pBar->RedrawButton(ButtonExpand);
            }
        }
        return;
    }

    int iPressed = -1;
    for (int i = 0; i < 2; i++)
        if (m_captionButtons[i].m_bPressed)
            iPressed = i;
    if (iPressed < 0)
    {
        CControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const BOOL bReleasedOver = ButtonAt(ptScreen) == iPressed;
    ReleaseCapture();
    m_captionButtons[iPressed].m_bPressed = m_captionButtons[iPressed].m_bHot = FALSE;
    RedrawButton(iPressed);
    if (!bReleasedOver)
        return;
    if (iPressed == ButtonExpand)
        Expand(TRUE);
    else if (CanClose())
    {
        if (CFrameWnd* pFrame = DockFrame())
            pFrame->ShowControlBar(this, FALSE, FALSE);
    }
}

void CQENSizingControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const UINT nHit = (UINT)OnNcHitTest(ptScreen);
    if (nHit != HTCLIENT)
        OnNcLButtonDblClk(nHit, ptScreen);
    else if (!IsFloating() && m_pDockContext != NULL)
        m_pDockContext->ToggleDocking();
    else
        CWnd::OnLButtonDblClk(nFlags, point);
}

void CQENSizingControlBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_bDragging)
    {
        StopTracking();
        return;
    }
    if (!CQENToolBar::s_bCustomizing)
    {
        ClientToScreen(&point);
        SendPopupMenuRequest(point);
        return;
    }
    CWnd::OnRButtonDown(nFlags, point);
}

void CQENSizingControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDragging)
    {
        TrackToPoint(point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const int iOver = ButtonAt(ptScreen);
    for (int i = 0; i < 2; i++)
    {
        CQENCaptionButton& button = m_captionButtons[i];
        // Without a press, the pointer in the client area has left both buttons.
        const BOOL bHot = button.m_bPressed ? iOver == i : FALSE;
        if (bHot != button.m_bHot)
        {
            button.m_bHot = bHot;
            RedrawButton(i);
        }
    }
    CControlBar::OnMouseMove(nFlags, point);
}

void CQENSizingControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this)
    {
        if (m_bDragging)
            StopTracking();
        for (int i = 0; i < 2; i++)
        {
            CQENCaptionButton& button = m_captionButtons[i];
            if (button.m_bPressed || button.m_bHot)
            {
                button.m_bPressed = button.m_bHot = FALSE;
                RedrawButton(i);
            }
        }
    }
    CControlBar::OnCaptureChanged(pWnd);
}

BOOL CQENSizingControlBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!IsFloating() && !IsUndocked())
    {
        if (nHitTest == HTLEFT || nHitTest == HTRIGHT)
        {
            ::SetCursor(s_hcurHorzSplit);
            return TRUE;
        }
        if (nHitTest == HTTOP || nHitTest == HTBOTTOM)
        {
            ::SetCursor(s_hcurVertSplit);
            return TRUE;
        }
    }
    return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT CQENSizingControlBar::OnSetText(WPARAM, LPARAM lParam)
{
    const LRESULT lResult = Default();
    LPCTSTR lpszText = reinterpret_cast<LPCTSTR>(lParam);
    if (IsFloating())
    {
        if (CWnd* pFrame = GetParentFrame())
            pFrame->SetWindowText(lpszText);
        if (m_pDockBar != NULL)
            m_pDockBar->SetWindowText(lpszText);
    }
    RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE);
    return lResult;
}

void CQENSizingControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CControlBar::OnWindowPosChanging(lpWndPos);
    lpWndPos->flags |= SWP_FRAMECHANGED;
    CWnd* pParent = GetParent();
    m_nDockBarID = (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CDockBar))) ? pParent->GetDlgCtrlID() : 0;
    if ((lpWndPos->flags & SWP_SHOWWINDOW) && !IsWindowVisible() && !IsUndocked())
        m_bFirstShow = TRUE;
}

void CQENSizingControlBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    CQENVisualManager::CurrentManager()->PaintBarBackground(&dc, this, rect, rect);
}

// ---------------------------------------------------------------------------------------------------
// Edge dragging

void CQENSizingControlBar::StartTracking(UINT nHitTest)
{
    SetCapture();
    RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    m_sizeSaved = DockedSize();
    ::GetCursorPos(&m_ptDragOrigin);
    ScreenToClient(&m_ptDragOrigin);
    m_bDragging = TRUE;
    m_nDragHit = (int)nHitTest;

    CPtrArray arrBars;
    GetRowBars(arrBars);
    LONG nMinAcross = 0;
    LONG nMaxAcross = 0;
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    {
        CQENSizingControlBar* pBar = RowBar(arrBars, i);
        nMinAcross = std::max(nMinAcross, ThicknessOf(pBar->m_sizeMin));
        const LONG nMax = ThicknessOf(pBar->m_sizeMax);
        nMaxAcross = (nMaxAcross < 0 || nMax <= 0) ? -1 : std::max(nMaxAcross, nMax);
    }

    const BOOL bHorz = IsHorzDocked();
    m_bSideTracking = bHorz ? (nHitTest == HTLEFT || nHitTest == HTRIGHT) : (nHitTest == HTTOP || nHitTest == HTBOTTOM);
    const CSize sizeNow = DockedSize();
    m_sizeDragMin = m_sizeDragMax = sizeNow;
    if (m_bSideTracking)
    {
        INT_PTR iSelf = 0;
        while (iSelf < arrBars.GetSize() && arrBars[iSelf] != this)
            iSelf++;
        const INT_PTR iNeighbour = (nHitTest == HTLEFT || nHitTest == HTTOP) ? iSelf - 1 : iSelf + 1;
        if (iNeighbour >= 0 && iNeighbour < arrBars.GetSize())
        {
            CQENSizingControlBar* pNeighbour = RowBar(arrBars, iNeighbour);
            const LONG nLargest = LengthOf(sizeNow) + LengthOf(pNeighbour->DockedSize()) - LengthOf(pNeighbour->m_sizeMin);
            // Where the two cannot both keep their minimum, the edge stays where it is.
            if (nLargest >= LengthOf(m_sizeMin))
            {
                LengthOf(m_sizeDragMin) = LengthOf(m_sizeMin);
                LengthOf(m_sizeDragMax) = nLargest;
            }
        }
    }
    else
    {
        // What the frame's client area would keep with the bars as they are.
        CRect rectClient(0, 0, 0, 0);
        if (CFrameWnd* pFrame = DockFrame())
            pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectClient, NULL, TRUE);
        LONG nLargest = (bHorz ? rectClient.Height() : rectClient.Width()) + ThicknessOf(sizeNow) - 4;
        if (nMaxAcross > 0)
            nLargest = std::min(nLargest, nMaxAcross);
        ThicknessOf(m_sizeDragMin) = nMinAcross;
        ThicknessOf(m_sizeDragMax) = std::max(nMinAcross, nLargest);
    }
    m_rectTracker = TrackerRect();
    InvertTracker();
}

CRect CQENSizingControlBar::TrackerRect() const
{
    CRect rect;
    GetWindowRect(&rect);
    const CSize size = IsDockedLeftRight() ? m_sizeDockedLR : m_sizeDockedTB;
    switch (m_nDragHit)
    {
    case HTLEFT:
        rect.left = rect.right - size.cx;
        rect.right = rect.left + m_nEdgeWidth;
        break;
    case HTRIGHT:
        rect.right = rect.left + size.cx;
        rect.left = rect.right - m_nEdgeWidth;
        break;
    case HTTOP:
        rect.top = rect.bottom - size.cy;
        rect.bottom = rect.top + m_nEdgeWidth;
        break;
    case HTBOTTOM:
        rect.bottom = rect.top + size.cy;
        rect.top = rect.bottom - m_nEdgeWidth;
        break;
    }
    if (CFrameWnd* pFrame = DockFrame())
        pFrame->ScreenToClient(&rect);
    return rect;
}

void CQENSizingControlBar::TrackToPoint(CPoint ptClient)
{
    CSize size = m_sizeSaved;
    const CSize sizeMoved = ptClient - m_ptDragOrigin;
    switch (m_nDragHit)
    {
    case HTLEFT:
        size.cx -= sizeMoved.cx;
        break;
    case HTRIGHT:
        size.cx += sizeMoved.cx;
        break;
    case HTTOP:
        size.cy -= sizeMoved.cy;
        break;
    case HTBOTTOM:
        size.cy += sizeMoved.cy;
        break;
    }
    size.cx = std::max(m_sizeDragMin.cx, size.cx);
    size.cy = std::max(m_sizeDragMin.cy, size.cy);
    if (m_sizeDragMax.cx >= 0)
        size.cx = std::min(m_sizeDragMax.cx, size.cx);
    if (m_sizeDragMax.cy >= 0)
        size.cy = std::min(m_sizeDragMax.cy, size.cy);
    if (size == DockedSize())
        return;

    InvertTracker();
    const int nGained = LengthOf(size) - LengthOf(DockedSize());
    DockedSize() = size;
    CPtrArray arrBars;
    GetRowBars(arrBars);
    INT_PTR iSelf = 0;
    while (iSelf < arrBars.GetSize() && arrBars[iSelf] != this)
        iSelf++;
    if (m_bSideTracking)
    {
        const INT_PTR iNeighbour = (m_nDragHit == HTLEFT || m_nDragHit == HTTOP) ? iSelf - 1 : iSelf + 1;
        if (iNeighbour >= 0 && iNeighbour < arrBars.GetSize())
            LengthOf(RowBar(arrBars, iNeighbour)->DockedSize()) -= nGained;
    }
    else
        for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
            ThicknessOf(RowBar(arrBars, i)->DockedSize()) = ThicknessOf(size);
    m_rectTracker = TrackerRect();
    InvertTracker();
}

void CQENSizingControlBar::InvertTracker()
{
    CFrameWnd* pFrame = DockFrame();
    if (pFrame == NULL || m_rectTracker.IsRectEmpty())
        return;
    // Over the frame's children: the tracker crosses the bars and the view.
    HDC hDC = ::GetDCEx(pFrame->m_hWnd, NULL, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    CDC* pDC = CDC::FromHandle(hDC);
    CBrush* pOldBrush = pDC->SelectObject(&theDrawingCache.m_brHalftone);
    pDC->PatBlt(m_rectTracker.left, m_rectTracker.top, m_rectTracker.Width(), m_rectTracker.Height(), PATINVERT);
    pDC->SelectObject(pOldBrush);
    ::ReleaseDC(pFrame->m_hWnd, hDC);
}

void CQENSizingControlBar::StopTracking()
{
    if (!m_bDragging)
        return;
    InvertTracker();
    m_rectTracker.SetRectEmpty();
    m_bDragging = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    if (CFrameWnd* pFrame = DockFrame())
        pFrame->DelayRecalcLayout();
}
