#include "GradientBarSkin.h"
#include "QENDrawHelper.h"
#include "QENDrawingCache.h"

IMPLEMENT_DYNCREATE(CGradientBarSkin, CQENVisualManagerXP)

CGradientBarSkin::~CGradientBarSkin()
{
}

void CGradientBarSkin::PaintBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip)
{
    // A NULL bar is a plain toolbar docked at the top.
    DWORD dwStyle = pBar != NULL ? pBar->GetBarStyle() : CBRS_ALIGN_TOP;
    CRect rectFill = rectClip.IsRectEmpty() ? rectClient : rectClip;
    CQENDCState state(pDC, &rectFill);
    BOOL bAcross = (dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    CQENDrawHelper::FillGradient(pDC, rectClient, theDrawingCache.m_crFace, theDrawingCache.m_crHighlight, bAcross);
}

void CGradientBarSkin::PaintBarEdges(CDC* pDC, CControlBar* pBar, CRect& rect)
{
    CQENVisualManager::PaintBarEdges(pDC, pBar, rect);
}
