// CGradientButtonSkin (skin 7): the XP look with toolbar buttons shaded from left to right and
// framed in 3D, and menu highlights from steel blue to sky blue.
#pragma once
#include "QENVisualManagerXP.h"

class CGradientButtonSkin : public CQENVisualManagerXP
{
    DECLARE_DYNCREATE(CGradientButtonSkin)
public:
    CGradientButtonSkin() = default;
    ~CGradientButtonSkin() override;

    static constexpr COLORREF s_crSteelBlue = RGB(0, 119, 158);
    static constexpr COLORREF s_crSkyBlue = RGB(141, 207, 244);

    void PaintButtonInterior(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state) override;
    void PaintButtonFrame(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state) override;
    void PaintMenuItemHighlight(CDC* pDC, CQENToolbarMenuButton* pButton, CRect rect, COLORREF& crText) override;
};
