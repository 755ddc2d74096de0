#include "QENToolbarSystemMenuButton.h"

#include "QENMenuBar.h"

IMPLEMENT_DYNCREATE(CQENToolbarSystemMenuButton, CQENToolbarMenuButton)

namespace {

const int kIconMargin = 2;

} // namespace

CQENToolbarSystemMenuButton::CQENToolbarSystemMenuButton() : m_hIcon(NULL)
{
}

CQENToolbarSystemMenuButton::CQENToolbarSystemMenuButton(HMENU hSystemMenu, HICON hIcon)
    : CQENToolbarMenuButton((UINT)-1, hSystemMenu, -1), m_hIcon(hIcon)
{
    m_bShowImage = FALSE;
    m_bShowLabel = FALSE;
}

void CQENToolbarSystemMenuButton::AssignFrom(const CQENToolbarButton& source)
{
    CQENToolbarMenuButton::AssignFrom(source);
    const CQENToolbarSystemMenuButton* pSource = DYNAMIC_DOWNCAST(CQENToolbarSystemMenuButton, &source);
    if (pSource != NULL)
        m_hIcon = pSource->m_hIcon;
}

void CQENToolbarSystemMenuButton::DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList*, BOOL, BOOL, BOOL,
                                             BOOL, BOOL)
{
    if (m_hIcon == NULL)
        return;
    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    ::DrawIconEx(pDC->GetSafeHdc(), rect.left + (rect.Width() - cx) / 2, rect.top + (rect.Height() - cy) / 2, m_hIcon,
                 cx, cy, 0, NULL, DI_NORMAL);
}

CSize CQENToolbarSystemMenuButton::MeasureButton(CDC*, CSize, BOOL)
{
    return CSize(::GetSystemMetrics(SM_CXSMICON) + 2 * kIconMargin, ::GetSystemMetrics(SM_CYSMICON) + 2 * kIconMargin);
}

void CQENToolbarSystemMenuButton::HandleDoubleClick(CWnd* pWnd)
{
    // The popup the first click opened goes before the child does.
    CancelTracking();
    CQENMenuBar* pBar = DYNAMIC_DOWNCAST(CQENMenuBar, pWnd);
    if (pBar != NULL)
        pBar->SendToActiveChild(SC_CLOSE);
}
