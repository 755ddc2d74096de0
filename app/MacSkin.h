// CMacSkin (skin 3): the classic look on light grey bars, with dotted grippers tiled from a
// bitmap, rounded toolbar button frames and bitmap close buttons. The skin owns its three bitmaps:
// each is loaded once, on first use, and released with the skin. Its frame colours follow the
// system colours like those of the classic look.
#pragma once
#include "QENVisualManager.h"

class CMacSkin : public CQENVisualManager
{
public:
    CMacSkin();
    ~CMacSkin() override;

    static constexpr COLORREF s_crLightGrey = RGB(221, 221, 221);

    void RecomputeColours() override;
    void PaintBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip) override;
    void PaintGripper(CDC* pDC, CRect rectGripper, BOOL bHorizontal, CControlBar* pBar) override;
    void PaintSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bHorizontal) override;
    void PaintButtonInterior(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state) override;
    void PaintButtonFrame(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state) override;
    void PaintTabStripBackground(CDC* pDC, CRect rect, CQENTabWnd* pTabWnd) override;

    void PaintCaptionButton(CDC* pDC, CQENCaptionButton* pButton, BOOL bA, BOOL bB, BOOL bC) override;
    // The caption button operation's drawing in this look.
    void DrawCaptionButton(CDC* pDC, const QENCaptionButtonLook& look, BOOL bA, BOOL bB, BOOL bC);

private:
    // The bitmap of a resource, loaded the first time it is asked for; NULL when it is missing.
    CBitmap* Bitmap(CBitmap& bitmap, UINT nResource);
    // Copies of the bitmap side by side from the top left of rect until rect is covered; the classic
    // grey background of the artwork lets what is beneath show.
    static void TileOverBackground(CDC* pDC, const CRect& rect, CBitmap* pBitmap, CSize sizeTile);

    CBrush m_brLightGrey;
    CBrush m_brHotFace;        // the face of a highlighted button
    CBrush m_brPressedFace;    // the face of a pressed button
    CBitmap m_bmpGripper;      // 9 x 9 tile
    CBitmap m_bmpClose;        // 13 x 13 caption buttons
    CBitmap m_bmpCloseHot;
    COLORREF m_crBackground;
    COLORREF m_crShadow;
    COLORREF m_crHighlight;
    COLORREF m_crBackgroundShadow;   // halfway between background and shadow
    COLORREF m_crShadowDark;         // halfway between shadow and 3D dark shadow
};
