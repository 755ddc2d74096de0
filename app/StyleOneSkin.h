// CStyleOneSkin (skin 5): the classic look with bars and tab areas shaded from light blue to
// white, and green grippers and menu highlights that cast a soft shadow.
#pragma once
#include "QENVisualManager.h"

class CStyleOneSkin : public CQENVisualManager
{
public:
    CStyleOneSkin() = default;
    ~CStyleOneSkin() override;

    static constexpr COLORREF s_crGreen = RGB(0, 159, 98);
    static constexpr COLORREF s_crLightBlue = RGB(113, 175, 210);

    void PaintBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip) override;
    void PaintGripper(CDC* pDC, CRect rectGripper, BOOL bHorizontal, CControlBar* pBar) override;
    void PaintSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bHorizontal) override;
    void PaintMenuItemHighlight(CDC* pDC, CQENToolbarMenuButton* pButton, CRect rect, COLORREF& crText) override;
    void PaintTabStripBackground(CDC* pDC, CRect rect, CQENTabWnd* pTabWnd) override;
};
