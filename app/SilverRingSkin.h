// CSilverRingSkin (skin 6): the XP look with every toolbar button drawn as a shaded ring plate,
// deeper while pressed, and a wider margin around buttons.
#pragma once
#include "QENVisualManagerXP.h"

class CSilverRingSkin : public CQENVisualManagerXP
{
    DECLARE_DYNCREATE(CSilverRingSkin)
public:
    CSilverRingSkin() = default;
    ~CSilverRingSkin() override;

    // The constant the ring routine is called with: light from the top left.
    static constexpr int s_nRingLight = 225;

    CSize ExtraButtonMargin() override;
    void PaintButtonInterior(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state) override;
    void PaintButtonFrame(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state) override;
};
