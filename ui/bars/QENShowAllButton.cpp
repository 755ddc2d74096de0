#include "QENShowAllButton.h"

#include "QENDrawingCache.h"
#include "QENPopupMenuBar.h"
#include "QENVisualManager.h"

IMPLEMENT_DYNCREATE(CQENShowAllButton, CQENToolbarMenuButton)

CQENShowAllButton::CQENShowAllButton()
{
    m_bMenuItemMode = TRUE;
    m_bShowImage = FALSE;
}

CSize CQENShowAllButton::MeasureButton(CDC*, CSize sizeDefault, BOOL)
{
    return CSize(sizeDefault.cx, kHeight);
}

void CQENShowAllButton::DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList*, BOOL, BOOL, BOOL bHighlighted,
                                   BOOL, BOOL)
{
    COLORREF crGlyph = theDrawingCache.m_crText;
    if (bHighlighted)
        CQENVisualManager::CurrentManager()->PaintMenuItemHighlight(pDC, this, rect, crGlyph);
    // Two chevrons, one above the other, at the centre.
    const CPoint pt(rect.left + (rect.Width() - 7) / 2, rect.top + (rect.Height() - 8) / 2);
    for (int nChevron = 0; nChevron < 2; nChevron++)
        for (int i = 0; i < 4; i++)
        {
            const int y = pt.y + nChevron * 4 + i;
            pDC->FillSolidRect(pt.x + i, y, 2, 1, crGlyph);
            pDC->FillSolidRect(pt.x + 5 - i, y, 2, 1, crGlyph);
        }
}

BOOL CQENShowAllButton::HandleClick(CWnd* pWndBar, BOOL)
{
    if (pWndBar == NULL || !pWndBar->IsKindOf(RUNTIME_CLASS(CQENPopupMenuBar)))
        return FALSE;
    static_cast<CQENPopupMenuBar*>(pWndBar)->ShowAllItems();
    return TRUE;
}
