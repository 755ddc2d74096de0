#include "DockBar.h"
#include "DC.h"
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
// Entries below 0x10000 are not objects but the ids of bars that float for the moment.
BOOL IsPlaceHolder(void* pEntry)
{
    return pEntry != NULL && HIWORD((DWORD_PTR)pEntry) == 0;
}

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

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    void* pEntry = m_arrBars[nPos];
    return IsPlaceHolder(pEntry) ? NULL : static_cast<CControlBar*>(pEntry);
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

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return (int)i;
    return -1;
}

void CDockBar::RemoveEntry(int nPos)
{
    m_arrBars.RemoveAt(nPos);
    // A row break now following a row break, or ending the list after one, closes an empty row.
    if (m_arrBars[nPos - 1] == NULL && nPos < m_arrBars.GetSize() && m_arrBars[nPos] == NULL)
        m_arrBars.RemoveAt(nPos);
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    int nPos = FindBar(static_cast<CControlBar*>(PlaceHolderOf(pBar)));
    if (nPos > 0)
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
    for (int nPos = 1; nPos < m_arrBars.GetSize(); nPos++)
    {
        void* pEntry = m_arrBars[nPos];
        if (pEntry != NULL)
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
    int nHolder = FindBar(static_cast<CControlBar*>(PlaceHolderOf(pBar)));
    if (lpRect != NULL || nHolder <= 0)
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
// Layout

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    m_bLayoutQuery = lpLayout->hDWP == NULL;
    m_rectLayout = lpLayout->rect;
    LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = FALSE;
    return lResult;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CRect rectBorders(0, 0, 0, 0);
    CalcInsideRect(rectBorders, bHorz);
    CSize sizeBorders(rectBorders.left - rectBorders.right, rectBorders.top - rectBorders.bottom);

    // The length a row may take; a floating dock bar's rows are as long as their bars.
    int nMaxLength = 32767;
    if (!m_bFloating && !m_rectLayout.IsRectEmpty())
        nMaxLength = bHorz ? m_rectLayout.Width() - sizeBorders.cx : m_rectLayout.Height() - sizeBorders.cy;

    // Neighbouring bars share a border line.
    int nOverlap = ::GetSystemMetrics(bHorz ? SM_CXBORDER : SM_CYBORDER);
    int nRowOverlap = ::GetSystemMetrics(bHorz ? SM_CYBORDER : SM_CXBORDER);

    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize());

    int nAlong = 0;       // where the next bar of the row starts
    int nAcross = 0;      // where the row starts
    int nThickness = 0;   // of the row so far
    int nLongest = 0;     // of all rows
    int nTotal = 0;       // across all rows
    for (int nPos = 0; nPos < m_arrBars.GetSize(); nPos++)
    {
        void* pEntry = m_arrBars[nPos];
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pBar != NULL)
        {
            // Delayed show and hide happen here, together with the moves.
            BOOL bVisible = (pBar->RecalcDelayShow(&layout) & WS_VISIBLE) != 0;
            if (!bVisible)
                continue;

            DWORD dwMode;
            if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
                dwMode = LM_HORZ | LM_MRUWIDTH;
            else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
                dwMode = LM_HORZ | LM_HORZDOCK;
            else
                dwMode = LM_VERTDOCK;
            CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
            int nLength = bHorz ? sizeBar.cx : sizeBar.cy;
            int nBarThickness = bHorz ? sizeBar.cy : sizeBar.cx;

            int nStart = nAlong;
            if (!m_bFloating)
            {
                // A bar stays where it was put if that is further along, and comes back as far as
                // the row allows when it would run past the end.
                CRect rectNow;
                pBar->GetWindowRect(&rectNow);
                ScreenToClient(&rectNow);
                nStart = std::max(nStart, (int)(bHorz ? rectNow.left : rectNow.top));
                if (nStart + nLength > nMaxLength)
                    nStart = std::max(nAlong, nMaxLength - nLength);
                // No room at all in this row: the bar starts the next one, at its beginning.
                if (nStart >= nMaxLength - nOverlap && nThickness > 0)
                {
                    m_arrBars.InsertAt(nPos, (void*)NULL);
                    nPos++;
                    nTotal = nAcross + nThickness;
                    nAcross = nTotal - nRowOverlap;
                    nThickness = 0;
                    nStart = 0;
                }
                nLength = std::min(nLength, nMaxLength - nStart);
            }

            CRect rect = bHorz ? CRect(CPoint(nStart, nAcross), CSize(nLength, nBarThickness))
                               : CRect(CPoint(nAcross, nStart), CSize(nBarThickness, nLength));
            if (layout.hDWP != NULL)
                AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
            nAlong = nStart + nLength - nOverlap;
            nThickness = std::max(nThickness, nBarThickness);
            nLongest = std::max(nLongest, nStart + nLength);
        }
        else if (pEntry == NULL && nThickness > 0)
        {
            // A row break after a row with visible bars.
            nTotal = nAcross + nThickness;
            nAcross = nTotal - nRowOverlap;
            nThickness = 0;
            nAlong = 0;
        }
        else if (pEntry == NULL)
            nAlong = 0;
    }
    if (nThickness > 0)
        nTotal = nAcross + nThickness;
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);

    // An empty dock bar takes no room, not even for its borders.
    CSize size(0, 0);
    if (nTotal > 0)
    {
        if (bHorz)
            size = CSize(nLongest + sizeBorders.cx, nTotal + sizeBorders.cy);
        else
            size = CSize(nTotal + sizeBorders.cx, nLongest + sizeBorders.cy);
    }
    if (bStretch)
    {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
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
