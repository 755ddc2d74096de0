#include "QENToolbarMenuButtonsButton.h"

#include "QENMenuBar.h"
#include "QENVisualManager.h"

IMPLEMENT_DYNCREATE(CQENToolbarMenuButtonsButton, CQENToolbarButton)

CQENToolbarMenuButtonsButton::CQENToolbarMenuButtonsButton() : m_size(0, 0), m_pWndParent(NULL)
{
}

CQENToolbarMenuButtonsButton::CQENToolbarMenuButtonsButton(UINT nSysCommand, CSize size, BOOL bEnabled)
    : m_size(size), m_pWndParent(NULL)
{
    m_nCommandId = nSysCommand;
    m_bShowImage = FALSE;
    m_bShowLabel = FALSE;
    if (!bEnabled)
        m_nStyle |= TBBS_DISABLED;
}

void CQENToolbarMenuButtonsButton::AssignFrom(const CQENToolbarButton& source)
{
    CQENToolbarButton::AssignFrom(source);
    const CQENToolbarMenuButtonsButton* pSource = DYNAMIC_DOWNCAST(CQENToolbarMenuButtonsButton, &source);
    if (pSource != NULL)
        m_size = pSource->m_size;
    // The style carries the disabled state of the close button.
    m_nStyle = source.m_nStyle;
}

void CQENToolbarMenuButtonsButton::DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList*, BOOL, BOOL,
                                              BOOL bHighlighted, BOOL, BOOL)
{
    // The system button styles are the button style bits.
    CQENVisualManager::CurrentManager()->PaintSystemButton(pDC, rect, m_nCommandId,
                                                           m_nStyle & (TBBS_DISABLED | TBBS_PRESSED), bHighlighted);
}

CSize CQENToolbarMenuButtonsButton::MeasureButton(CDC*, CSize, BOOL)
{
    return m_size;
}

BOOL CQENToolbarMenuButtonsButton::HandleClickUp()
{
    CQENMenuBar* pBar = DYNAMIC_DOWNCAST(CQENMenuBar, m_pWndParent);
    if (pBar != NULL)
        pBar->SendToActiveChild(m_nCommandId);
    return TRUE;
}

void CQENToolbarMenuButtonsButton::AttachToParent(CWnd* pWndParent)
{
    CQENToolbarButton::AttachToParent(pWndParent);
    m_pWndParent = pWndParent;
}
