// CQENToolBar: measuring, wrapping and placing the buttons.
#include "QENToolBar.h"

#include "CustomizeButton.h"
#include "QENDrawingCache.h"
#include "QENVisualManager.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

const int kRowGap = 5;             // between wrapped rows, where a separator draws its line
const int kUnlimited = 0x7FFF;

} // namespace

void CQENToolBar::SelectBarFont(CDC* pDC, BOOL bHorizontal)
{
    pDC->SelectObject(bHorizontal ? &theDrawingCache.m_fontMenu : &theDrawingCache.m_fontVertical270);
}

CSize CQENToolBar::BorderSize(BOOL bHorizontal) const
{
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorizontal);
    return CSize(rect.left - rect.right, rect.top - rect.bottom);
}

int CQENToolBar::RowHeight() const
{
    if (m_bFixedRowHeight)
        return m_nRowHeight;
    int nHeight = ButtonSize().cy;
    if (UsesExtraBorder())
        nHeight += CQENVisualManager::CurrentManager()->ExtraButtonMargin().cy;
    return std::max(nHeight, theDrawingCache.m_nMenuTextHeight);
}

int CQENToolBar::ColumnWidth() const
{
    int nWidth = ButtonSize().cx;
    if (UsesExtraBorder())
        nWidth += CQENVisualManager::CurrentManager()->ExtraButtonMargin().cx;
    if (!IsHorizontal())
        nWidth = std::max(nWidth, theDrawingCache.m_nVerticalTextHeight);
    return nWidth;
}

CSize CQENToolBar::MeasureAt(CDC* pDC, CQENToolbarButton* pButton, BOOL bHorizontal)
{
    return pButton->MeasureButton(pDC, CSize(ColumnWidth(), RowHeight()), bHorizontal);
}

int CQENToolBar::TallestButtonHeight()
{
    CClientDC dc(m_hWnd != NULL ? this : NULL);
    SelectBarFont(&dc, TRUE);
    int nTallest = RowHeight();
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL;)
    {
        CQENToolbarButton* pButton = static_cast<CQENToolbarButton*>(m_buttonList.GetNext(pos));
        if (pButton->m_bLabelBelow && !pButton->m_strLabel.IsEmpty() && !pButton->IsSeparator())
            nTallest = std::max<int>(nTallest, MeasureAt(&dc, pButton, TRUE).cy);
    }
    return nTallest;
}

int CQENToolBar::MarkRowBreaks(int nWidth, int nHeight)
{
    CClientDC dc(m_hWnd != NULL ? this : NULL);
    SelectBarFont(&dc, TRUE);
    const int nRowHeight = RowHeight();
    const int nReserved =
        m_pCustomizeButton != NULL && !IsFloating() ? MeasureAt(&dc, m_pCustomizeButton, TRUE).cx : 0;

    int nRows = 0;
    int x = nReserved;
    int nRowTop = 0;
    BOOL bRowStart = TRUE;
    CQENToolbarButton* pPrevious = NULL;
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL;)
    {
        CQENToolbarButton* pButton = static_cast<CQENToolbarButton*>(m_buttonList.GetNext(pos));
        if (pButton == m_pCustomizeButton)
            continue;
        pButton->m_bRowBreak = FALSE;
        int cx = MeasureAt(&dc, pButton, TRUE).cx;
        if (pButton->IsSeparator() && bRowStart)
            cx = 0;
        if (x + cx > nWidth && nRowTop + nRowHeight < nHeight && !pButton->IsSeparator() && pPrevious != NULL)
        {
            pPrevious->m_bRowBreak = TRUE;
            nRows++;
            nRowTop += nRowHeight + kRowGap;
            x = 0;
        }
        x += cx;
        bRowStart = FALSE;
        pPrevious = pButton;
    }
    return nRows + 1;
}

CSize CQENToolBar::CalcSize(BOOL bVertical)
{
    CClientDC dc(m_hWnd != NULL ? this : NULL);
    SelectBarFont(&dc, !bVertical);
    const int nRowHeight = RowHeight();
    // The customize button asks for room only for what it always shows.
    const BOOL bCustomizeCounts = m_pCustomizeButton != NULL && m_pCustomizeButton->m_nCustomizeCommand != 0 &&
                                  !IsFloating() && !s_bCustomizing;

    CSize size(bVertical ? ColumnWidth() : 0, 0);
    int nRows = 1;
    int nRowLength = 0;
    BOOL bRowStart = TRUE;
    BOOL bPendingBreak = FALSE;
    BOOL bPreviousSeparator = FALSE;
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL;)
    {
        CQENToolbarButton* pButton = static_cast<CQENToolbarButton*>(m_buttonList.GetNext(pos));
        if (pButton == m_pCustomizeButton && !bCustomizeCounts)
            continue;
        if (bPendingBreak)
        {
            nRows++;
            nRowLength = 0;
            bRowStart = TRUE;
            bPreviousSeparator = FALSE;
            bPendingBreak = FALSE;
        }
        CSize sizeButton = MeasureAt(&dc, pButton, !bVertical);
        if (pButton->IsSeparator() && (bRowStart || bPreviousSeparator))
            sizeButton = CSize(0, 0);
        if (bVertical)
        {
            size.cx = std::max(size.cx, sizeButton.cx);
            size.cy += sizeButton.cy;
        }
        else
        {
            nRowLength += sizeButton.cx;
            size.cx = std::max<LONG>(size.cx, nRowLength);
            bPendingBreak = pButton->m_bRowBreak;
        }
        bRowStart = FALSE;
        bPreviousSeparator = pButton->IsSeparator();
    }
    if (!bVertical)
        size.cy = nRows * nRowHeight + (nRows - 1) * kRowGap;
    return size;
}

void CQENToolBar::FitRowsToLength(int nLength, BOOL bVertical)
{
    if (bVertical)
    {
        MarkRowBreaks(kUnlimited);
        const int nOneRowWidth = CalcSize(FALSE).cx;
        const int nStep = std::max(ColumnWidth(), 1);
        // Widen until the rows fit the height; one row is as low as the bar gets.
        for (int nWidth = nStep; nWidth < nOneRowWidth; nWidth += nStep)
        {
            MarkRowBreaks(nWidth);
            if (CalcSize(FALSE).cy <= nLength)
                return;
        }
        MarkRowBreaks(kUnlimited);
        return;
    }
    const int nRowsAtLength = MarkRowBreaks(nLength);
    int nWidth = nLength;
    if (MarkRowBreaks(0) != nRowsAtLength)
    {
        // The row count falls as the width grows: the narrowest width with the count of nLength.
        int nTooNarrow = 0;
        while (nWidth - nTooNarrow > 1)
        {
            const int nMiddle = nTooNarrow + (nWidth - nTooNarrow) / 2;
            if (MarkRowBreaks(nMiddle) == nRowsAtLength)
                nWidth = nMiddle;
            else
                nTooNarrow = nMiddle;
        }
    }
    MarkRowBreaks(nWidth);
}

CSize CQENToolBar::CalcLayout(DWORD dwMode, int nLength)
{
    const BOOL bHorizontal = (dwMode & LM_HORZ) != 0;
    if (m_bLabelsAllowed && bHorizontal)
    {
        m_bFixedRowHeight = FALSE;
        m_nRowHeight = TallestButtonHeight();
        m_bFixedRowHeight = m_nRowHeight > ButtonSize().cy;
    }

    if (!(m_dwStyle & CBRS_SIZE_FIXED))
    {
        if (!(m_dwStyle & CBRS_SIZE_DYNAMIC))
        {
            if (bHorizontal)
                MarkRowBreaks(kUnlimited);
        }
        else if (dwMode & LM_MRUWIDTH)
            FitRowsToLength((int)m_nMRUWidth - BorderSize(TRUE).cx, FALSE);
        else if (dwMode & LM_HORZDOCK)
            FitRowsToLength(kUnlimited, FALSE);
        else if (dwMode & LM_VERTDOCK)
            ;   // one column: rows do not apply
        else if (nLength != -1)
        {
            const BOOL bLengthIsHeight = (dwMode & LM_LENGTHY) != 0;
            const CSize sizeBorders = BorderSize(TRUE);
            FitRowsToLength(nLength - (bLengthIsHeight ? sizeBorders.cy : sizeBorders.cx), bLengthIsHeight);
        }
    }

    CSize size = CalcSize(!bHorizontal) + BorderSize(bHorizontal);
    if ((dwMode & LM_COMMIT) && bHorizontal && IsFloating() && (m_dwStyle & CBRS_SIZE_DYNAMIC))
        m_nMRUWidth = size.cx;
    return ApplyStretch(size, (dwMode & LM_STRETCH) != 0, bHorizontal);
}

CSize CQENToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK));
}

CSize CQENToolBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    return CalcLayout(nMode, nLength);
}

BOOL CQENToolBar::PlaceButtons(CDC* pDC, const CRect& rectInside, int nLimit)
{
    const BOOL bHorizontal = IsHorizontal();
    const BOOL bCentreRows = IsFloating() && m_bLabelsAllowed;
    const int nRowHeight = RowHeight();
    const int nColumnWidth = ColumnWidth();
    if (m_pCustomizeButton != NULL)
        m_pCustomizeButton->m_hiddenButtons.RemoveAll();

    BOOL bAllFit = TRUE;
    CPoint pt = rectInside.TopLeft();
    BOOL bRowStart = TRUE;
    BOOL bPreviousSeparator = FALSE;
    std::vector<CQENToolbarButton*> row;
    auto endRow = [&]() {
        if (bCentreRows && !row.empty())
        {
            const int nOffset = (rectInside.right - pt.x) / 2;
            for (CQENToolbarButton* pInRow : row)
                pInRow->m_rect.OffsetRect(nOffset, 0);
        }
        row.clear();
    };
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL;)
    {
        CQENToolbarButton* pButton = static_cast<CQENToolbarButton*>(m_buttonList.GetNext(pos));
        if (pButton == m_pCustomizeButton)
            continue;
        const BOOL bWasHidden = pButton->m_bHidden;
        const CRect rectOld = pButton->m_rect;
        CSize size = MeasureAt(pDC, pButton, bHorizontal);
        BOOL bHidden = FALSE;
        if (pButton->IsSeparator() && (bRowStart || bPreviousSeparator))
        {
            bHidden = TRUE;
            size = CSize(0, 0);
        }
        CRect rect = bHorizontal ? CRect(pt, CSize(size.cx, nRowHeight)) : CRect(pt, CSize(nColumnWidth, size.cy));
        if (!bHidden && (bHorizontal ? rect.right : rect.bottom) > nLimit)
        {
            bHidden = TRUE;
            bAllFit = FALSE;
            if (m_pCustomizeButton != NULL)
                m_pCustomizeButton->m_hiddenButtons.AddTail(pButton);
        }
        (bHorizontal ? pt.x : pt.y) += bHorizontal ? size.cx : size.cy;
        if (bHidden)
            rect = CRect(rect.TopLeft(), rect.TopLeft());
        else
            row.push_back(pButton);

        pButton->m_bHidden = bHidden;
        if (bWasHidden != bHidden)
            pButton->ShowHostedWindow(!bHidden);
        if (rect != rectOld)
        {
            pButton->m_rect = rect;
            pButton->AfterMove();
        }
        bRowStart = FALSE;
        bPreviousSeparator = pButton->IsSeparator();
        if (bHorizontal && pButton->m_bRowBreak)
        {
            endRow();
            pt = CPoint(rectInside.left, pt.y + nRowHeight + kRowGap);
            bRowStart = TRUE;
            bPreviousSeparator = FALSE;
        }
    }
    endRow();
    return bAllFit;
}

void CQENToolBar::PositionButtons()
{
    if (m_hWnd == NULL)
        return;
    const BOOL bHorizontal = IsHorizontal();
    CClientDC dc(this);
    SelectBarFont(&dc, bHorizontal);
    CRect rectInside;
    GetClientRect(&rectInside);
    CalcInsideRect(rectInside, bHorizontal);
    const int nEnd = bHorizontal ? rectInside.right : rectInside.bottom;

    const BOOL bCustomizeActive = m_pCustomizeButton != NULL && !IsFloating() && !s_bCustomizing;
    if (!bCustomizeActive)
    {
        PlaceButtons(&dc, rectInside, INT_MAX);
    }
    else
    {
        const CSize sizeCustomize = MeasureAt(&dc, m_pCustomizeButton, bHorizontal);
        const int nReservedEnd = nEnd - (bHorizontal ? sizeCustomize.cx : sizeCustomize.cy);
        // Without a command of its own the button needs room only when something is hidden.
        if (m_pCustomizeButton->m_nCustomizeCommand != 0 || !PlaceButtons(&dc, rectInside, nEnd))
            PlaceButtons(&dc, rectInside, nReservedEnd);
    }

    if (m_pCustomizeButton == NULL)
        return;
    const BOOL bShow = bCustomizeActive && m_pCustomizeButton->HasContent();
    CRect rect(0, 0, 0, 0);
    if (bShow)
    {
        const CSize size = MeasureAt(&dc, m_pCustomizeButton, bHorizontal);
        rect = bHorizontal ? CRect(rectInside.right - size.cx, rectInside.top, rectInside.right, rectInside.bottom)
                           : CRect(rectInside.left, rectInside.bottom - size.cy, rectInside.right, rectInside.bottom);
    }
    m_pCustomizeButton->m_bHidden = !bShow;
    if (m_pCustomizeButton->m_rect != rect)
    {
        m_pCustomizeButton->m_rect = rect;
        m_pCustomizeButton->AfterMove();
    }
}

void CQENToolBar::RecalcButtonLayout()
{
    PositionButtons();
    if (m_hWnd != NULL)
        Invalidate();
}

void CQENToolBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    RecalcButtonLayout();
}

int CQENToolBar::HitTest(CPoint point) const
{
    int i = 0;
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL; i++)
    {
        const CQENToolbarButton* pButton = static_cast<const CQENToolbarButton*>(m_buttonList.GetNext(pos));
        if (!pButton->m_bHidden && !pButton->IsSeparator() && pButton->m_rect.PtInRect(point))
            return i;
    }
    return -1;
}

CRect CQENToolBar::GetItemRect(int iIndex) const
{
    const CQENToolbarButton* pButton = ButtonAt(iIndex);
    return pButton != NULL ? pButton->m_rect : CRect(0, 0, 0, 0);
}
