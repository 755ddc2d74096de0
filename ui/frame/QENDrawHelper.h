// CQENDrawHelper: the drawing routines every visual manager and skin of the library shares: the
// 64-band gradient, brightening and darkening a rectangle, the soft drop shadow, the ring gradient
// and double 3D frames.
//
// CQENDCState: while it lives, the drawing of a visual manager may change the device context at
// will; its destructor puts back the selected objects, colours, modes, brush origin and clip region
// the caller had.
#pragma once
#include <afxwin.h>

class CQENDCState
{
public:
    // With lpClip, what follows is also clipped to that rectangle (within the caller's clip).
    explicit CQENDCState(CDC* pDC, LPCRECT lpClip = NULL);
    ~CQENDCState();
    CQENDCState(const CQENDCState&) = delete;
    CQENDCState& operator=(const CQENDCState&) = delete;

private:
    CDC* m_pDC;
    int m_nSavedDC;
};

class CQENDrawHelper
{
public:
    // The rectangle cut into 64 bands; band i has start + (end - start) * i / 64 in each channel.
    // The bands run from left (start) to right, or with bVertical from bottom (start) to top.
    static void FillGradient(CDC* pDC, const CRect& rect, COLORREF crStart, COLORREF crEnd, BOOL bVertical);

    // Every pixel of the rectangle changed in brightness: below 100 each channel is scaled to that
    // percentage; above 100 it moves (nPercent - 100) % of the way to white.
    static void ChangeBrightness(CDC* pDC, const CRect& rect, int nPercent);

    // A soft shadow nDepth pixels deep to the right of and below rect, as if lit from the top left:
    // the band next to rect keeps nNearPercent of the brightness beneath it, the bands further out
    // more, up to nFarPercent beyond the last one.
    static void DrawShadow(CDC* pDC, const CRect& rect, int nDepth, int nFarPercent, int nNearPercent);

    // A rounded plate (round ends along its shorter side) filling the rectangle: its rim is one pixel
    // of crEdge on the side facing the light (nLightAngle degrees, clockwise on the screen from the
    // right: 225 is the top left) and of crDarkEdge on the far side (crEdge again when crDarkEdge is
    // CLR_NONE); from the rim the colour runs over nWidth pixels into crFill. The corners outside the
    // plate take crOutside, or keep what was there when it is CLR_NONE.
    static void DrawRingGradient(CDC* pDC, const CRect& rect, COLORREF crFill, COLORREF crEdge,
                                 COLORREF crDarkEdge, int nLightAngle, int nWidth, COLORREF crOutside);

    // Two nested one-pixel 3D frames: the outer one on the rectangle, the inner one a pixel inside.
    static void Draw3dFrame(CDC* pDC, const CRect& rect, COLORREF crOuterTopLeft, COLORREF crOuterBottomRight,
                            COLORREF crInnerTopLeft, COLORREF crInnerBottomRight);

    // The colour halfway between two, channel by channel (integer division).
    static COLORREF Midpoint(COLORREF cr1, COLORREF cr2);
};
