#include "SilverRingSkin.h"
#include "QENDrawHelper.h"
#include "QENDrawingCache.h"

IMPLEMENT_DYNCREATE(CSilverRingSkin, CQENVisualManagerXP)

CSilverRingSkin::~CSilverRingSkin()
{
}

CSize CSilverRingSkin::ExtraButtonMargin()
{
    return CSize(10, 10);
}

// A NULL button is an enabled, unchecked toolbar button without drop-down part, which uses the
// extra border.
void CSilverRingSkin::PaintButtonInterior(CDC* pDC, CQENToolbarButton*, CRect rect, ButtonState state)
{
    rect.DeflateRect(1, 1);
    const CQENDrawingCache& cache = theDrawingCache;
    if (state == ButtonPressed)
        CQENDrawHelper::DrawRingGradient(pDC, rect, cache.m_crShadow, cache.m_crHighlight, cache.m_crDarkShadow,
                                         s_nRingLight, 2, CLR_NONE);
    else if (state == ButtonHighlighted)
        CQENDrawHelper::DrawRingGradient(pDC, rect, cache.m_crHighlight, cache.m_crShadow, cache.m_crDarkShadow,
                                         s_nRingLight, 5, CLR_NONE);
    else
        CQENDrawHelper::DrawRingGradient(pDC, rect, cache.m_crHighlight, cache.m_crShadow, CLR_NONE, s_nRingLight,
                                         4, CLR_NONE);
}

void CSilverRingSkin::PaintButtonFrame(CDC*, CQENToolbarButton*, CRect, ButtonState)
{
    // The ring is the border.
}
