#include "DockBar.h"
#include "DC.h"
#include "DockState.h"
#include "FrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

namespace
{
void* PlaceHolderOf(CControlBar* pBar)
{
    return (void*)(UINT_PTR)(UINT)pBar->GetDlgCtrlID();
}
} // namespace

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating), m_bLayoutQuery(FALSE), m_rectLayout(0, 0, 0, 0)
{
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(NULL);
}

CDockBar::~CDockBar()
{
    // Bars still docked here outlive the dock bar only as undocked bars.
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar != NULL && pBar->m_pDockBar == this)
            pBar->m_pDockBar = NULL;
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    return CWnd::Create(_afxWndControlBar, NULL, dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParentWnd, nID);
}

// ---------------------------------------------------------------------------------------------------
// The list of bars

BOOL CDockBar::IsPlaceHolder(int nPos) const
{
    // No object lies in the lowest 64 KB of the address space.
    return m_arrBars[nPos] != NULL && (UINT_PTR)m_arrBars[nPos] <= 0xFFFF;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    return IsPlaceHolder(nPos) ? NULL : static_cast<CControlBar*>(m_arrBars[nPos]);
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        if (GetDockedControlBar((int)i) != NULL)
            nCount++;
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar != NULL && pBar->IsVisible())
            nCount++;
    }
    return nCount;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return (int)i;
    return -1;
}

int CDockBar::FindPlaceHolder(CControlBar* pBar) const
{
    int nPos = FindBar(static_cast<CControlBar*>(PlaceHolderOf(pBar)));
    return nPos > 0 ? nPos : -1;
}

void CDockBar::RemoveEntry(int nPos)
{
    m_arrBars.RemoveAt(nPos);
    // A row break now following a row break, or ending the list after one, closes an empty row.
    if (IsRowBreak(nPos - 1) && nPos < GetEntryCount() && IsRowBreak(nPos))
        m_arrBars.RemoveAt(nPos);
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    int nPos = FindPlaceHolder(pBar);
    if (nPos >= 0)
        RemoveEntry(nPos);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;

    if (nAddPlaceHolder != 0)
    {
        // The bar's place is kept for its return; an older placeholder of it goes.
        RemovePlaceHolder(pBar);
        nPos = FindBar(pBar, nPosExclude);
        m_arrBars[nPos] = PlaceHolderOf(pBar);
    }
    else
        RemoveEntry(nPos);

    if (m_bFloating && GetDockedCount() == 0)
    {
        // A floating frame without bars has no purpose; this dock bar goes with it.
        GetParent()->DestroyWindow();
        return TRUE;
    }
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
    return TRUE;
}

void CDockBar::ForgetDestroyedBar(CControlBar* pBar)
{
    pBar->m_pDockBar = NULL;
    int nPos = FindBar(pBar);
    if (nPos <= 0)
        return;
    RemoveEntry(nPos);
    // Destroying the floating frame from inside the destruction of one of its descendants is not
    // possible; it is hidden instead and goes with its owner.
    if (m_bFloating && GetDockedCount() == 0)
        GetParent()->ShowWindow(SW_HIDE);
    else if (GetDockingFrame() != NULL)
        GetDockingFrame()->DelayRecalcLayout();
}

void CDockBar::ShowAll(BOOL bShow)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar == NULL)
            continue;
        CFrameWnd* pFrame = pBar->m_pDockSite != NULL ? pBar->m_pDockSite : GetDockingFrame();
        pFrame->ShowControlBar(pBar, bShow, FALSE);
    }
}

BOOL CDockBar::BreakRowAfter(CControlBar* pBar)
{
    int nPos = FindBar(pBar);
    if (nPos <= 0 || IsRowBreak(nPos + 1))
        return FALSE;
    InsertRowBreak(nPos + 1);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// Docking

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid)
{
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    int nMid = bHorz ? ptMid.y : ptMid.x;
    int nStart = bHorz ? rect.left : rect.top;

    // Before the first row: a new first row.
    if (nMid < 0)
    {
        m_arrBars.InsertAt(1, pBarIns);
        m_arrBars.InsertAt(2, (void*)NULL);
        return 1;
    }

    // Rows run across the dock bar one after the other; each reaches as far as its thickest bar.
    int nRowEnd = 0;
    int nInsertAfter = 0;  // entry after which the bar goes in the row being looked at
    BOOL bRowHasBars = FALSE;
    for (int nPos = 1; nPos < GetEntryCount(); nPos++)
    {
        if (!IsRowBreak(nPos))
        {
            CControlBar* pBar = GetDockedControlBar(nPos);
            if (pBar == NULL || pBar == pBarIns || !pBar->IsVisible())
                continue;
            CRect rectBar;
            pBar->GetWindowRect(&rectBar);
            ScreenToClient(&rectBar);
            nRowEnd = std::max(nRowEnd, (int)(bHorz ? rectBar.bottom : rectBar.right));
            bRowHasBars = TRUE;
            if ((bHorz ? rectBar.left : rectBar.top) < nStart)
                nInsertAfter = nPos;
            continue;
        }

        // The end of a row.
        if (bRowHasBars && nMid < nRowEnd)
        {
            m_arrBars.InsertAt(nInsertAfter + 1, pBarIns);
            return nInsertAfter + 1;
        }
        nInsertAfter = nPos;
        bRowHasBars = FALSE;
    }

    // Beyond the last row: a new last row.
    m_arrBars.Add(pBarIns);
    m_arrBars.Add(NULL);
    return (int)m_arrBars.GetSize() - 2;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (lpRect == NULL)
    {
        // A row of its own at the end.
        m_arrBars.Add(pBar);
        m_arrBars.Add(NULL);
        AttachBar(pBar, (int)m_arrBars.GetSize() - 2, NULL);
        return;
    }
    CRect rect(lpRect);
    ScreenToClient(&rect);
    int nPos = Insert(pBar, rect, rect.CenterPoint());
    AttachBar(pBar, nPos, &rect);
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    int nHolder = FindPlaceHolder(pBar);
    if (lpRect != NULL || nHolder < 0)
    {
        DockControlBar(pBar, lpRect);
        return;
    }
    m_arrBars[nHolder] = pBar;
    AttachBar(pBar, nHolder, NULL);
}

void CDockBar::AttachBar(CControlBar* pBar, int nPos, LPCRECT lpRect)
{
    if (m_bFloating)
    {
        // The floating frame shows the bar's name and sizes the way the bar does.
        if (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI)
            m_dwStyle |= CBRS_FLOAT_MULTI;
        m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) |
                    (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
        if (!(m_dwStyle & CBRS_FLOAT_MULTI))
        {
            CString strTitle;
            pBar->GetWindowText(strTitle);
            SetWindowText(strTitle);
        }
    }

    // The bar takes this side's orientation and shows all its borders.
    DWORD dwStyle = pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
    dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);

    // Moving between dock bars hidden, so it does not flash on the way.
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    BOOL bReshow = pOldDockBar != this && pBar->IsWindowVisible();
    if (bReshow)
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    // Where it goes: lpRect, or the start of its row, from where the layout moves it along.
    if (lpRect != NULL)
        pBar->SetWindowPos(NULL, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    else
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);

    pBar->m_pDockBar = this;
    if (pOldDockBar == this)
        RemoveControlBar(pBar, nPos);
    else
        RemovePlaceHolder(pBar);
    if (bReshow)
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);

    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();

    // Last: leaving a floating dock bar may destroy it and its frame. Leaving a docked place for a
    // floating one keeps that place for the return.
    if (pOldDockBar != NULL && pOldDockBar != this)
        pOldDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pOldDockBar->m_bFloating);
}

// ---------------------------------------------------------------------------------------------------
// Saved rows

void CDockBar::SaveRows(CPtrArray& arrBarID) const
{
    arrBarID.RemoveAll();
    for (int nPos = 1; nPos < GetEntryCount(); nPos++)
    {
        UINT nID = 0;
        if (IsPlaceHolder(nPos))
            nID = (UINT)(UINT_PTR)m_arrBars[nPos] | CControlBarInfo::nPlaceHolderFlag;
        else if (!IsRowBreak(nPos))
            nID = (UINT)GetDockedControlBar(nPos)->GetDlgCtrlID();
        arrBarID.Add((void*)(UINT_PTR)nID);
    }
}

void CDockBar::RestoreRows(const CPtrArray& arrBarID, CFrameWnd* pFrameWnd)
{
    // The named bars come here first, leaving their old dock bars; then the rows are laid down in
    // the saved order.
    for (INT_PTR i = 0; i < arrBarID.GetSize(); i++)
    {
        UINT nID = (UINT)(UINT_PTR)arrBarID[i];
        if (nID == 0 || (nID & CControlBarInfo::nPlaceHolderFlag))
            continue;
        CControlBar* pBar = pFrameWnd->GetControlBar(nID);
        if (pBar != NULL && !pBar->IsDockBar() && pBar->m_pDockBar != this)
            pFrameWnd->DockControlBar(pBar, this);
    }

    CPtrArray arrOldBars;
    for (int nPos = 0; nPos < GetEntryCount(); nPos++)
        if (GetDockedControlBar(nPos) != NULL)
            arrOldBars.Add(GetDockedControlBar(nPos));
    m_arrBars.RemoveAll();
    m_arrBars.Add(NULL);
    for (INT_PTR i = 0; i < arrBarID.GetSize(); i++)
    {
        UINT nID = (UINT)(UINT_PTR)arrBarID[i];
        if (nID == 0)
        {
            // A row that is left empty closes.
            if (!IsRowBreak(GetEntryCount() - 1))
                m_arrBars.Add(NULL);
            continue;
        }
        BOOL bPlaceHolder = (nID & CControlBarInfo::nPlaceHolderFlag) != 0;
        CControlBar* pBar = pFrameWnd->GetControlBar(nID & ~CControlBarInfo::nPlaceHolderFlag);
        // A second entry for a bar would outlive the bar when the first is taken out.
        if (pBar == NULL || FindBar(pBar) >= 0 || FindPlaceHolder(pBar) >= 0)
            continue;
        if (bPlaceHolder && pBar->m_pDockBar != this)
            m_arrBars.Add(PlaceHolderOf(pBar));
        else if (!bPlaceHolder && pBar->m_pDockBar == this)
            m_arrBars.Add(pBar);
    }
    if (!IsRowBreak(GetEntryCount() - 1))
        m_arrBars.Add(NULL);

    BOOL bUnnamed = FALSE;
    for (INT_PTR i = 0; i < arrOldBars.GetSize(); i++)
    {
        CControlBar* pBar = static_cast<CControlBar*>(arrOldBars[i]);
        if (FindBar(pBar) < 0)
        {
            m_arrBars.Add(pBar);
            bUnnamed = TRUE;
        }
    }
    if (bUnnamed)
        m_arrBars.Add(NULL);
}

// ---------------------------------------------------------------------------------------------------
// Layout

CDockBar::CRowCursor::CRowCursor(int nOverlap, int nRowOverlap)
    : m_nOverlap(nOverlap), m_nRowOverlap(nRowOverlap), m_nAlong(0), m_nAcross(0), m_nThickness(0), m_nLongest(0),
      m_nTotal(0)
{
}

void CDockBar::CRowCursor::Place(int nStart, int nLength, int nThickness)
{
    m_nAlong = nStart + nLength - m_nOverlap;
    m_nThickness = std::max(m_nThickness, nThickness);
    m_nLongest = std::max(m_nLongest, nStart + nLength);
}

void CDockBar::CRowCursor::NextRow()
{
    if (!IsRowEmpty())
    {
        m_nTotal = m_nAcross + m_nThickness;
        m_nAcross = m_nTotal - m_nRowOverlap;
        m_nThickness = 0;
    }
    m_nAlong = 0;
}

CSize CDockBar::CRowCursor::GetExtent(BOOL bHorz) const
{
    int nTotal = IsRowEmpty() ? m_nTotal : m_nAcross + m_nThickness;
    if (nTotal <= 0)
        return CSize(0, 0);
    return bHorz ? CSize(m_nLongest, nTotal) : CSize(nTotal, m_nLongest);
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    m_bLayoutQuery = lpLayout->hDWP == NULL;
    m_rectLayout = lpLayout->rect;
    LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = FALSE;
    return lResult;
}

DWORD CDockBar::GetDockedLayoutMode(CControlBar* pBar)
{
    if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
        return LM_HORZ | LM_MRUWIDTH;
    return (pBar->m_dwStyle & CBRS_ORIENT_HORZ) ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CRect rectBorders(0, 0, 0, 0);
    CalcInsideRect(rectBorders, bHorz);
    CSize sizeBorders(rectBorders.left - rectBorders.right, rectBorders.top - rectBorders.bottom);

    // The length a row may take; a floating dock bar's rows are as long as their bars.
    int nMaxLength = nStretchLength;
    if (!m_bFloating && !m_rectLayout.IsRectEmpty())
        nMaxLength = bHorz ? m_rectLayout.Width() - sizeBorders.cx : m_rectLayout.Height() - sizeBorders.cy;

    // Neighbouring bars share a border line.
    int nOverlap = ::GetSystemMetrics(bHorz ? SM_CXBORDER : SM_CYBORDER);
    CRowCursor rows(nOverlap, ::GetSystemMetrics(bHorz ? SM_CYBORDER : SM_CXBORDER));
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos(GetEntryCount());
    for (int nPos = 0; nPos < GetEntryCount(); nPos++)
    {
        if (IsRowBreak(nPos))
            rows.NextRow();
        CControlBar* pBar = GetDockedControlBar(nPos);
        // Delayed show and hide happen here, together with the moves.
        if (pBar == NULL || !(pBar->RecalcDelayShow(&layout) & WS_VISIBLE))
            continue;

        CSize sizeBar = pBar->CalcDynamicLayout(-1, GetDockedLayoutMode(pBar));
        int nLength = bHorz ? sizeBar.cx : sizeBar.cy;
        int nStart = rows.GetNextStart();
        if (!m_bFloating)
        {
            // A bar stays where it was put if that is further along, and comes back as far as
            // the row allows when it would run past the end.
            CRect rectNow;
            pBar->GetWindowRect(&rectNow);
            ScreenToClient(&rectNow);
            nStart = std::max(nStart, (int)(bHorz ? rectNow.left : rectNow.top));
            if (nStart + nLength > nMaxLength)
                nStart = std::max(rows.GetNextStart(), nMaxLength - nLength);
            // No room at all in this row: the bar starts the next one, at its beginning.
            if (nStart >= nMaxLength - nOverlap && !rows.IsRowEmpty())
            {
                InsertRowBreak(nPos++);
                rows.NextRow();
                nStart = rows.GetNextStart();
            }
            nLength = std::min(nLength, nMaxLength - nStart);
        }

        int nThickness = bHorz ? sizeBar.cy : sizeBar.cx;
        CRect rect = bHorz ? CRect(CPoint(nStart, rows.GetRowStart()), CSize(nLength, nThickness))
                           : CRect(CPoint(rows.GetRowStart(), nStart), CSize(nThickness, nLength));
        if (layout.hDWP != NULL)
            AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
        rows.Place(nStart, nLength, nThickness);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);

    // An empty dock bar takes no room, not even for its borders.
    CSize size = rows.GetExtent(bHorz);
    if (size != CSize(0, 0))
        size += sizeBorders;
    return ApplyStretch(size, bStretch, bHorz);
}

void CDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    // The borders lie outside the client area, where the bars are.
    CRect rect(lpncsp->rgrc[0]);
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    lpncsp->rgrc[0] = rect;
}

void CDockBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(&rectClient);
    DrawBorders(&dc, rectWindow);
}

void CDockBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The docked bars update themselves; the dock bar has nothing to update.
}
