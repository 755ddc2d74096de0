#include "CustomizeButton.h"

#include "QENVisualManager.h"

IMPLEMENT_DYNCREATE(CCustomizeButton, CQENToolbarButton)

namespace {

// A solid triangle pointing down (bDown) or right, its widest line nWidth pixels, apex at pt's far side.
void DrawArrow(CDC* pDC, CPoint pt, int nWidth, BOOL bDown, COLORREF cr)
{
    for (int i = 0; i < (nWidth + 1) / 2; i++)
    {
        const int nLength = nWidth - 2 * i;
        if (bDown)
            pDC->FillSolidRect(pt.x + i, pt.y + i, nLength, 1, cr);
        else
            pDC->FillSolidRect(pt.x + i, pt.y + i, 1, nLength, cr);
    }
}

// Two chevrons, each two pixels thick, pointing right (bRight) or down, starting at pt.
void DrawDoubleArrows(CDC* pDC, CPoint pt, BOOL bRight, COLORREF cr)
{
    for (int nChevron = 0; nChevron < 2; nChevron++)
        for (int i = 0; i < 3; i++)
        {
            const int nAlong = nChevron * 4 + i;
            if (bRight)
            {
                pDC->FillSolidRect(pt.x + nAlong, pt.y + i, 2, 1, cr);
                pDC->FillSolidRect(pt.x + nAlong, pt.y + 4 - i, 2, 1, cr);
            }
            else
            {
                pDC->FillSolidRect(pt.x + i, pt.y + nAlong, 1, 2, cr);
                pDC->FillSolidRect(pt.x + 4 - i, pt.y + nAlong, 1, 2, cr);
            }
        }
}

} // namespace

CCustomizeButton::CCustomizeButton() : m_nCustomizeCommand(0), m_bSeparatorBefore(TRUE)
{
}

CCustomizeButton::CCustomizeButton(UINT nCustomizeCommand, LPCTSTR lpszCustomizeText, BOOL bSeparatorBefore)
    : m_nCustomizeCommand(nCustomizeCommand),
      m_strCustomizeText(lpszCustomizeText != NULL ? lpszCustomizeText : ""),
      m_bSeparatorBefore(bSeparatorBefore)
{
    m_bShowImage = FALSE;
}

void CCustomizeButton::AssignFrom(const CQENToolbarButton& source)
{
    CQENToolbarButton::AssignFrom(source);
    if (!source.IsKindOf(RUNTIME_CLASS(CCustomizeButton)))
        return;
    const CCustomizeButton* pSource = static_cast<const CCustomizeButton*>(&source);
    m_nCustomizeCommand = pSource->m_nCustomizeCommand;
    m_strCustomizeText = pSource->m_strCustomizeText;
    m_bSeparatorBefore = pSource->m_bSeparatorBefore;
}

CSize CCustomizeButton::MeasureButton(CDC*, CSize sizeDefault, BOOL bHorizontal)
{
    return bHorizontal ? CSize(kThickness, sizeDefault.cy) : CSize(sizeDefault.cx, kThickness);
}

void CCustomizeButton::DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList*, BOOL bHorizontal,
                                  BOOL bCustomizeMode, BOOL bHighlighted, BOOL bDrawBorder, BOOL)
{
    // Interior and frame as any button's; no image and no text.
    CQENToolbarButton::DrawButton(pDC, rect, NULL, bHorizontal, bCustomizeMode, bHighlighted, bDrawBorder, FALSE);
    const COLORREF crGlyph = CQENVisualManager::CurrentManager()->ButtonTextColour(
        this, bHighlighted ? CQENVisualManager::ButtonHighlighted : CQENVisualManager::ButtonNormal);
    const BOOL bDown = (m_nStyle & TBBS_PRESSED) != 0;
    const CPoint ptShift(bDown ? 1 : 0, bDown ? 1 : 0);
    // The drop-down arrow near the bar's end, the double arrows before it when buttons are hidden.
    if (bHorizontal)
    {
        DrawArrow(pDC, CPoint(rect.left + (rect.Width() - 5) / 2, rect.bottom - 7) + ptShift, 5, TRUE, crGlyph);
        if (!m_hiddenButtons.IsEmpty())
            DrawDoubleArrows(pDC, CPoint(rect.left + (rect.Width() - 8) / 2, rect.top + 4) + ptShift, TRUE, crGlyph);
    }
    else
    {
        DrawArrow(pDC, CPoint(rect.right - 7, rect.top + (rect.Height() - 5) / 2) + ptShift, 5, FALSE, crGlyph);
        if (!m_hiddenButtons.IsEmpty())
            DrawDoubleArrows(pDC, CPoint(rect.left + 4, rect.top + (rect.Height() - 8) / 2) + ptShift, FALSE, crGlyph);
    }
}
