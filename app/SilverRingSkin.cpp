#include "SilverRingSkin.h"
#include "QENDrawHelper.h"
#include "QENDrawingCache.h"
#include "QENToolBar.h"

namespace {

// Menu bar and menu items have no extra border, and customization shows plain buttons: the XP look.
BOOL DrawsRing(const CQENToolbarButton* pButton)
{
    return pButton == NULL || (pButton->UsesExtraBorder() && !CQENToolBar::s_bCustomizing);
}

} // namespace

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
void CSilverRingSkin::PaintButtonInterior(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state)
{
    if (!DrawsRing(pButton))
    {
        CQENVisualManagerXP::PaintButtonInterior(pDC, pButton, rect, state);
        return;
    }
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

void CSilverRingSkin::PaintButtonFrame(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state)
{
    // Otherwise the ring is the border.
    if (!DrawsRing(pButton))
        CQENVisualManagerXP::PaintButtonFrame(pDC, pButton, rect, state);
}
