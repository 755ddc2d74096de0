#include "StyleOneSkin.h"
#include "QENDrawHelper.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const int kShadowDepth = 3;
const int kShadowFar = 100;
const int kShadowNear = 50;

} // namespace

CStyleOneSkin::~CStyleOneSkin()
{
}

void CStyleOneSkin::PaintBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip)
{
    CRect rectFill = rectClip.IsRectEmpty() ? rectClient : rectClip;
    CQENDCState state(pDC, &rectFill);
    // A docked bar's gradient spans its whole window, so that its parts line up.
    CRect rectGradient = rectClient;
    if (pBar != NULL && pBar->GetSafeHwnd() != NULL && !(pBar->GetBarStyle() & CBRS_FLOATING))
    {
        pBar->GetWindowRect(&rectGradient);
        // A DC whose origin is the window's draws the non-client area, in window coordinates.
        CPoint ptOrigin;
        if (::GetDCOrgEx(pDC->m_hDC, &ptOrigin) && ptOrigin == rectGradient.TopLeft())
            rectGradient.OffsetRect(-rectGradient.TopLeft());
        else
            pBar->ScreenToClient(&rectGradient);
    }
    CQENDrawHelper::FillGradient(pDC, rectGradient, s_crLightBlue, kWhite, FALSE);
}

void CStyleOneSkin::PaintGripper(CDC* pDC, CRect rectGripper, BOOL bHorizontal, CControlBar*)
{
    CQENDCState state(pDC, &rectGripper);
    CRect rectGrip = rectGripper;
    if (bHorizontal)
        rectGrip.DeflateRect(4, 3);
    else
        rectGrip.DeflateRect(3, 4);
    CQENDrawHelper::FillGradient(pDC, rectGrip, kWhite, s_crGreen, !bHorizontal);
    rectGrip.InflateRect(1, 1);
    CQENDrawHelper::DrawShadow(pDC, rectGrip, kShadowDepth, kShadowFar, kShadowNear);
}

void CStyleOneSkin::PaintSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bHorizontal)
{
    rect.DeflateRect(2, 2);
    CQENVisualManager::PaintSeparator(pDC, pBar, rect, bHorizontal);
}

void CStyleOneSkin::PaintMenuItemHighlight(CDC* pDC, CQENToolbarMenuButton*, CRect rect, COLORREF& crText)
{
    // The shadow would reach past the item: it is cut at the item's edge.
    CQENDCState state(pDC, &rect);
    CRect rectItem = rect;
    rectItem.DeflateRect(1, 2);
    CQENDrawHelper::FillGradient(pDC, rectItem, kWhite, s_crGreen, FALSE);
    rectItem.InflateRect(0, 1);
    CQENDrawHelper::DrawShadow(pDC, rectItem, kShadowDepth, kShadowFar, kShadowNear);
    crText = RGB(0, 0, 0);
}

void CStyleOneSkin::PaintTabStripBackground(CDC* pDC, CRect rect, CQENTabWnd*)
{
    CQENDrawHelper::FillGradient(pDC, rect, s_crLightBlue, kWhite, FALSE);
}
