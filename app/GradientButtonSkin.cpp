#include "GradientButtonSkin.h"
#include "QENDrawHelper.h"
#include "QENDrawingCache.h"

IMPLEMENT_DYNCREATE(CGradientButtonSkin, CQENVisualManagerXP)

CGradientButtonSkin::~CGradientButtonSkin()
{
}

// A NULL button is an enabled toolbar button, which uses the extra border.
void CGradientButtonSkin::PaintButtonInterior(CDC* pDC, CQENToolbarButton*, CRect rect, ButtonState state)
{
    rect.DeflateRect(1, 1);
    const CQENDrawingCache& cache = theDrawingCache;
    if (state == ButtonHighlighted)
        CQENDrawHelper::FillGradient(pDC, rect, cache.m_crLight, ::GetSysColor(COLOR_WINDOW), FALSE);
    else
        CQENDrawHelper::FillGradient(pDC, rect, cache.m_crHighlight, cache.m_crFace, FALSE);
}

void CGradientButtonSkin::PaintButtonFrame(CDC* pDC, CQENToolbarButton*, CRect rect, ButtonState state)
{
    rect.DeflateRect(1, 1);
    CQENDCState dcState(pDC);
    if (state == ButtonPressed)
        pDC->Draw3dRect(&rect, theDrawingCache.m_crDarkShadow, theDrawingCache.m_crHighlight);
    else if (state == ButtonHighlighted)
        pDC->Draw3dRect(&rect, theDrawingCache.m_crHighlight, theDrawingCache.m_crDarkShadow);
}

void CGradientButtonSkin::PaintMenuItemHighlight(CDC* pDC, CQENToolbarMenuButton*, CRect rect, COLORREF& crText)
{
    CQENDrawHelper::FillGradient(pDC, rect, s_crSteelBlue, s_crSkyBlue, FALSE);
    crText = RGB(255, 255, 255);
}
