#include "CustomizeButton.h"

#include "QENToolBar.h"
#include "QENVisualManager.h"

IMPLEMENT_DYNCREATE(CCustomizeButton, CQENToolbarMenuButton)

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
    m_bHasMenu = TRUE;
}

CCustomizeButton::CCustomizeButton(UINT nCustomizeCommand, LPCTSTR lpszCustomizeText, BOOL bSeparatorBefore)
    : m_nCustomizeCommand(nCustomizeCommand),
      m_strCustomizeText(lpszCustomizeText != NULL ? lpszCustomizeText : ""),
      m_bSeparatorBefore(bSeparatorBefore)
{
    m_bShowImage = FALSE;
    m_bHasMenu = TRUE;
}

void CCustomizeButton::AssignFrom(const CQENToolbarButton& source)
{
    CQENToolbarMenuButton::AssignFrom(source);
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

void CCustomizeButton::FillDropDown()
{
    ClearSubItems();
    const BOOL bLockedBar = m_pWndParent != NULL && m_pWndParent->IsKindOf(RUNTIME_CLASS(CQENToolBar)) &&
                            static_cast<CQENToolBar*>(m_pWndParent)->m_bLocked;
    for (POSITION pos = m_hiddenButtons.GetHeadPosition(); pos != NULL;)
    {
        const CQENToolbarButton* pHidden = m_hiddenButtons.GetNext(pos);
        if (pHidden->IsSeparator() && m_SubItems.IsEmpty())
            continue;
        CQENToolbarButton* pItem;
        if (pHidden->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButton)))
        {
            pItem = static_cast<CQENToolbarButton*>(pHidden->GetRuntimeClass()->CreateObject());
            if (pItem == NULL)
                continue;
            pItem->AssignFrom(*pHidden);
        }
        else if (pHidden->IsSeparator())
        {
            pItem = new CQENToolbarButton;
            pItem->m_nStyle = TBBS_SEPARATOR;
        }
        else
        {
            CQENToolbarButton* pButton = const_cast<CQENToolbarButton*>(pHidden);
            CString strText = pHidden->m_strLabel;
            if (strText.IsEmpty() || pButton->HostedWindow() != NULL)
            {
                LoadCommandMenuText(pHidden->m_nCommandId, strText);
                strText = strText.SpanExcluding("\n");
            }
            pItem = new CQENToolbarMenuButton(pHidden->m_nCommandId, NULL, bLockedBar ? -1 : pHidden->GetImage(),
                                              strText, pHidden->m_bUserImage);
            pItem->m_nStyle = pHidden->m_nStyle & TBBS_DISABLED;
        }
        m_SubItems.AddTail(pItem);
    }
    if (m_nCustomizeCommand == 0)
        return;
    if (m_bSeparatorBefore && !m_SubItems.IsEmpty())
    {
        CQENToolbarButton* pSeparator = new CQENToolbarButton;
        pSeparator->m_nStyle = TBBS_SEPARATOR;
        m_SubItems.AddTail(pSeparator);
    }
    m_SubItems.AddTail(new CQENToolbarMenuButton(m_nCustomizeCommand, NULL, -1, m_strCustomizeText));
}

BOOL CCustomizeButton::HandleClick(CWnd* pWndBar, BOOL bDelayed)
{
    if (m_pPopupMenu == NULL)
    {
        if (pWndBar != NULL)
            m_pWndParent = pWndBar;
        FillDropDown();
    }
    return CQENToolbarMenuButton::HandleClick(pWndBar, bDelayed);
}
