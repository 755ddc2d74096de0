#include "QENToolDockBar.h"

#include "QENSizingControlBar.h"
#include "QENToolBar.h"
#include "QENVisualManager.h"

#include <afxpriv.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CQENToolDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CQENToolDockBar, CDockBar)
END_MESSAGE_MAP()

namespace {

// By class name, so that bars of classes built later need not be known here.
BOOL IsKindOfNamed(const CObject* pObject, const char* pszClassName)
{
    for (const CRuntimeClass* pClass = pObject->GetRuntimeClass(); pClass != NULL; pClass = pClass->m_pBaseClass)
        if (std::strcmp(pClass->m_lpszClassName, pszClassName) == 0)
            return TRUE;
    return FALSE;
}

BOOL HasNoOverlap(const CControlBar* pBar)
{
    return pBar->IsKindOf(RUNTIME_CLASS(CQENToolBar)) || pBar->IsKindOf(RUNTIME_CLASS(CQENSizingControlBar));
}

} // namespace

CSize CQENToolDockBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CRect rectBorders(0, 0, 0, 0);
    CalcInsideRect(rectBorders, bHorz);
    const CSize sizeBorders(rectBorders.left - rectBorders.right, rectBorders.top - rectBorders.bottom);

    int nMaxLength = nStretchLength;
    if (!m_bFloating && !m_rectLayout.IsRectEmpty())
        nMaxLength = bHorz ? m_rectLayout.Width() - sizeBorders.cx : m_rectLayout.Height() - sizeBorders.cy;

    // Each bar overlaps the one before it by its own overlap.
    const int nBorder = ::GetSystemMetrics(bHorz ? SM_CXBORDER : SM_CYBORDER);
    CRowCursor rows(0, ::GetSystemMetrics(bHorz ? SM_CYBORDER : SM_CXBORDER));
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos(GetEntryCount());
    for (int nPos = 0; nPos < GetEntryCount(); nPos++)
    {
        if (IsRowBreak(nPos))
            rows.NextRow();
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pBar == NULL || !(pBar->RecalcDelayShow(&layout) & WS_VISIBLE))
            continue;

        const BOOL bMenuBar = IsKindOfNamed(pBar, "CQENMenuBar");
        const int nOverlap = HasNoOverlap(pBar) ? 0 : nBorder;
        CSize sizeBar = pBar->CalcDynamicLayout(-1, GetDockedLayoutMode(pBar));
        if (bMenuBar && nMaxLength != nStretchLength)
            (bHorz ? sizeBar.cx : sizeBar.cy) = nMaxLength;
        int nLength = bHorz ? sizeBar.cx : sizeBar.cy;
        int nStart = rows.IsRowEmpty() ? 0 : std::max(0, rows.GetNextStart() - nOverlap);
        if (!m_bFloating)
        {
            // A bar stays where it was put if that is further along, and comes back as far as
            // the row allows when it would run past the end.
            CRect rectNow;
            pBar->GetWindowRect(&rectNow);
            ScreenToClient(&rectNow);
            const int nWanted = std::max(nStart, (int)(bHorz ? rectNow.left : rectNow.top));
            const BOOL bRunsPastEnd = nWanted + nLength > nMaxLength;
            int nPlaced = bRunsPastEnd ? std::max(nStart, nMaxLength - nLength) : nWanted;
            const BOOL bOwnRow = nPlaced >= nMaxLength - nOverlap || (bMenuBar && (bHorz ? bRunsPastEnd : TRUE));
            if (bOwnRow && !rows.IsRowEmpty())
            {
                InsertRowBreak(nPos++);
                rows.NextRow();
                nPlaced = 0;
            }
            nStart = nPlaced;
            nLength = std::min(nLength, nMaxLength - nStart);
        }

        const int nThickness = bHorz ? sizeBar.cy : sizeBar.cx;
        CRect rect = bHorz ? CRect(CPoint(nStart, rows.GetRowStart()), CSize(nLength, nThickness))
                           : CRect(CPoint(rows.GetRowStart(), nStart), CSize(nThickness, nLength));
        if (layout.hDWP != NULL)
            AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
        rows.Place(nStart, nLength, nThickness);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);

    CSize size = rows.GetExtent(bHorz);
    if (size.cx != 0)
        size.cx += sizeBorders.cx + 1;
    if (size.cy != 0)
        size.cy += sizeBorders.cy + 1;
    return ApplyStretch(size, bStretch, bHorz);
}

void CQENToolDockBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    CQENVisualManager::CurrentManager()->PaintBarBackground(pDC, this, rect, rect);
}
