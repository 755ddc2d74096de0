// CMacStyleSkin (skin 4): a flat look on finely ruled bars in blue-greys, with ring-shaped hot
// buttons and caption buttons, blue menu highlights and dark red hot text.
#pragma once
#include "QENVisualManager.h"

class CMacStyleSkin : public CQENVisualManager
{
    DECLARE_DYNCREATE(CMacStyleSkin)
public:
    CMacStyleSkin();
    ~CMacStyleSkin() override;

    static constexpr COLORREF s_crSelectionBlue = RGB(52, 108, 190);
    static constexpr COLORREF s_crBorder = RGB(176, 186, 201);
    static constexpr COLORREF s_crBackground = RGB(230, 230, 230);
    static constexpr COLORREF s_crLightBlueGrey = RGB(190, 199, 214);
    static constexpr COLORREF s_crMidBlueGrey = RGB(181, 190, 206);
    static constexpr COLORREF s_crText = RGB(20, 20, 20);
    static constexpr COLORREF s_crHighlightText = RGB(150, 0, 24);
    static constexpr COLORREF s_crGrey = RGB(128, 128, 128);

    void PaintBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip) override;
    void PaintBarEdges(CDC* pDC, CControlBar* pBar, CRect& rect) override;
    void PaintPopupFrame(CDC* pDC, CQENPopupMenu* pMenu, CRect rect) override;
    void PaintComboArrowButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHighlighted) override;
    void PaintComboFrame(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHighlighted) override;
    void PaintButtonInterior(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state) override;
    void PaintButtonFrame(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state) override;
    void PaintMenuItemHighlight(CDC* pDC, CQENToolbarMenuButton* pButton, CRect rect, COLORREF& crText) override;
    void PaintRarelyUsedBand(CDC* pDC, CRect rect) override;
    COLORREF ButtonTextColour(CQENToolbarButton* pButton, ButtonState state) override;
    COLORREF CaptionBarTextColour(CQENCaptionBar* pBar) override;
    BOOL PaintPushButtonFace(CDC* pDC, CQENPushButton* pButton, CRect rect, COLORREF& crText) override;
    void PaintTabStripBackground(CDC* pDC, CRect rect, CQENTabWnd* pTabWnd) override;
    void PaintTab(CDC* pDC, CRect rect, int iTab, BOOL bActive, CQENTabWnd* pTabWnd) override;
    CSize ExtraButtonMargin() override;

    void PaintCaptionButton(CDC* pDC, CQENCaptionButton* pButton, BOOL bA, BOOL bB, BOOL bC) override;
    // The caption button operation's drawing in this look.
    void DrawCaptionButton(CDC* pDC, const QENCaptionButtonLook& look, BOOL bA, BOOL bB, BOOL bC);

private:
    // Fills rect with one of the ruled patterns: white rules on the Mac background.
    void FillRuled(CDC* pDC, const CRect& rect, CBrush& brPattern);

    CBrush m_brBarPattern;     // a white rule every fourth row
    CBrush m_brMenuPattern;    // white with a background row every fourth row
    CBrush m_brSelection;
};
