// CQENVisualManagerXP: the flat look with colours mixed from the system's window, face, shadow and
// highlight colours: light bars, an image column beside menu items, hot buttons filled and framed.
// On a display of 8 bits per pixel or fewer it uses the system colours unmixed.
//
// RecomputeColours runs at construction and whenever the drawing cache refreshes its colours.
#pragma once
#include "QENVisualManager.h"

class CQENVisualManagerXP : public CQENVisualManager
{
    DECLARE_DYNCREATE(CQENVisualManagerXP)
public:
    CQENVisualManagerXP();
    ~CQENVisualManagerXP() override;

    void RecomputeColours() override;
    void PaintBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip) override;
    void PaintBarEdges(CDC* pDC, CControlBar* pBar, CRect& rect) override;
    void PaintPopupFrame(CDC* pDC, CQENPopupMenu* pMenu, CRect rect) override;
    void PaintGripper(CDC* pDC, CRect rectGripper, BOOL bHorizontal, CControlBar* pBar) override;
    void PaintSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bHorizontal) override;
    void PaintComboArrowButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHighlighted) override;
    void PaintComboFrame(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHighlighted) override;
    void PaintButtonInterior(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state) override;
    void PaintButtonFrame(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state) override;
    void PaintMenuItemHighlight(CDC* pDC, CQENToolbarMenuButton* pButton, CRect rect, COLORREF& crText) override;
    void PaintRarelyUsedBand(CDC* pDC, CRect rect) override;
    void PaintTab(CDC* pDC, CRect rect, int iTab, BOOL bActive, CQENTabWnd* pTabWnd) override;
    void PaintCaptionBarButton(CDC* pDC, CQENCaptionBar* pBar, CRect rect, const CString& strText, BOOL bHot,
                               BOOL bPressed, BOOL bDisabled, BOOL bDropDownArrow, COLORREF crText) override;

    // ---- slots of this class ----
    virtual BOOL ReservedHook();
    // Builds the horizontal- and vertical-stripe brushes of the grippers.
    virtual void MakePatternBrush();
    // Grows rect by 4 pixels on the side facing away from the frame edge the bar is docked at.
    virtual void GrowTowardDockSide(CControlBar* pBar, CRect& rect);

    void PaintCaptionButton(CDC* pDC, CQENCaptionButton* pButton, BOOL bA, BOOL bB, BOOL bC) override;
    // The caption button operation's drawing in this look.
    void DrawCaptionButton(CDC* pDC, const QENCaptionButtonLook& look, BOOL bA, BOOL bB, BOOL bC);

    CBrush m_brHorizontalStripes;
    CBrush m_brVerticalStripes;
    COLORREF m_crImageStrip;
    CBrush m_brImageStrip;
    COLORREF m_crMenuFace;
    CBrush m_brMenuFace;
    COLORREF m_crHot;
    CBrush m_brHot;
    COLORREF m_crHotPressed;
    CBrush m_brHotPressed;
    COLORREF m_crHotChecked;
    CBrush m_brHotChecked;
    CBrush m_brLightBar;
    CPen m_penSeparator;
    COLORREF m_crBarFace;
    COLORREF m_crHotFrame;
};
