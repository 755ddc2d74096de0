// CGradientBarSkin (skin 8): the XP look with bars shaded from the face colour to the highlight
// colour across their thickness, and the classic bar borders.
#pragma once
#include "QENVisualManagerXP.h"

class CGradientBarSkin : public CQENVisualManagerXP
{
    DECLARE_DYNCREATE(CGradientBarSkin)
public:
    CGradientBarSkin() = default;
    ~CGradientBarSkin() override;

    void PaintBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip) override;
    void PaintBarEdges(CDC* pDC, CControlBar* pBar, CRect& rect) override;
};
