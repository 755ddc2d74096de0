#include "QENDrawHelper.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const int kGradientBands = 64;

int GradientChannel(int nStart, int nEnd, int iBand)
{
    return (nStart * kGradientBands + iBand * (nEnd - nStart)) >> 6;
}

COLORREF GradientColour(COLORREF crStart, COLORREF crEnd, int iBand)
{
    return RGB(GradientChannel(GetRValue(crStart), GetRValue(crEnd), iBand),
               GradientChannel(GetGValue(crStart), GetGValue(crEnd), iBand),
               GradientChannel(GetBValue(crStart), GetBValue(crEnd), iBand));
}

BYTE BrightenedChannel(BYTE nChannel, int nPercent)
{
    if (nPercent <= 100)
        return (BYTE)(nChannel * nPercent / 100);
    return (BYTE)std::min(255, nChannel + (255 - nChannel) * (nPercent - 100) / 100);
}

COLORREF Brightened(COLORREF cr, int nPercent)
{
    return RGB(BrightenedChannel(GetRValue(cr), nPercent), BrightenedChannel(GetGValue(cr), nPercent),
               BrightenedChannel(GetBValue(cr), nPercent));
}

COLORREF Blend(COLORREF crFrom, COLORREF crTo, double dShare)
{
    auto channel = [dShare](int nFrom, int nTo) { return (int)std::lround(nFrom + (nTo - nFrom) * dShare); };
    return RGB(channel(GetRValue(crFrom), GetRValue(crTo)), channel(GetGValue(crFrom), GetGValue(crTo)),
               channel(GetBValue(crFrom), GetBValue(crTo)));
}

// Gives every pixel of rect (logical coordinates of pDC) the colour pfnChange makes of it, through a
// copy in a DIB section, so that it works on any device context; the copy goes back through pDC's
// clip region.
void ChangePixels(CDC* pDC, const CRect& rect, const std::function<COLORREF(int x, int y, COLORREF cr)>& pfnChange)
{
    if (rect.IsRectEmpty())
        return;
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = rect.Width();
    info.bmiHeader.biHeight = -rect.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pvBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(pDC->GetSafeHdc(), &info, DIB_RGB_COLORS, &pvBits, NULL, 0);
    if (hBitmap == NULL)
        return;
    CDC dcCopy;
    if (dcCopy.CreateCompatibleDC(pDC))
    {
        HGDIOBJ hOld = dcCopy.SelectObject(hBitmap);
        dcCopy.BitBlt(0, 0, rect.Width(), rect.Height(), pDC, rect.left, rect.top, SRCCOPY);
        ::GdiFlush();
        DWORD* pPixels = static_cast<DWORD*>(pvBits);
        for (int y = 0; y < rect.Height(); y++)
        {
            for (int x = 0; x < rect.Width(); x++)
            {
                DWORD& dwPixel = pPixels[y * rect.Width() + x];
                COLORREF cr = pfnChange(rect.left + x, rect.top + y,
                                        RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF));
                dwPixel = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
            }
        }
        pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &dcCopy, 0, 0, SRCCOPY);
        dcCopy.SelectObject(hOld);
    }
    ::DeleteObject(hBitmap);
}

// How far a point lies inside a rounded rectangle whose corner radius is half its shorter side
// (negative outside), with (nx, ny) the outward direction of the nearest part of its edge.
double DistanceInside(const CRect& rect, double x, double y, double& nx, double& ny)
{
    double dHalfWidth = rect.Width() / 2.0, dHalfHeight = rect.Height() / 2.0;
    double dRadius = std::min(dHalfWidth, dHalfHeight);
    double dx = x - (rect.left + dHalfWidth), dy = y - (rect.top + dHalfHeight);
    double qx = std::fabs(dx) - (dHalfWidth - dRadius), qy = std::fabs(dy) - (dHalfHeight - dRadius);
    double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    double dCorner = std::sqrt(ox * ox + oy * oy);
    if (dCorner > 0)
    {
        nx = (dx < 0 ? -ox : ox) / dCorner;
        ny = (dy < 0 ? -oy : oy) / dCorner;
    }
    else
    {
        nx = qx > qy ? (dx < 0 ? -1 : 1) : 0;
        ny = qx > qy ? 0 : (dy < 0 ? -1 : 1);
    }
    return dRadius - dCorner - std::min(std::max(qx, qy), 0.0);
}

} // namespace

CQENDCState::CQENDCState(CDC* pDC, LPCRECT lpClip) : m_pDC(pDC), m_nSavedDC(pDC->SaveDC())
{
    if (lpClip != NULL)
        pDC->IntersectClipRect(lpClip);
}

CQENDCState::~CQENDCState()
{
    m_pDC->RestoreDC(m_nSavedDC);
}

void CQENDrawHelper::FillGradient(CDC* pDC, const CRect& rect, COLORREF crStart, COLORREF crEnd, BOOL bVertical)
{
    CQENDCState state(pDC);
    int nLength = bVertical ? rect.Height() : rect.Width();
    for (int iBand = 0; iBand < kGradientBands; iBand++)
    {
        int nFrom = nLength * iBand / kGradientBands;
        int nTo = nLength * (iBand + 1) / kGradientBands;
        if (nTo == nFrom)
            continue;
        CRect rectBand = rect;
        if (bVertical)
        {
            rectBand.bottom = rect.bottom - nFrom;
            rectBand.top = rect.bottom - nTo;
        }
        else
        {
            rectBand.left = rect.left + nFrom;
            rectBand.right = rect.left + nTo;
        }
        pDC->FillSolidRect(&rectBand, GradientColour(crStart, crEnd, iBand));
    }
}

void CQENDrawHelper::ChangeBrightness(CDC* pDC, const CRect& rect, int nPercent)
{
    ChangePixels(pDC, rect, [nPercent](int, int, COLORREF cr) { return Brightened(cr, nPercent); });
}

void CQENDrawHelper::DrawShadow(CDC* pDC, const CRect& rect, int nDepth, int nFarPercent, int nNearPercent)
{
    if (nDepth <= 0 || rect.IsRectEmpty())
        return;
    CRect rectCast(rect.left + nDepth, rect.top + nDepth, rect.right + nDepth, rect.bottom + nDepth);
    CRect rectArea(rect.left, rect.top, rectCast.right, rectCast.bottom);
    ChangePixels(pDC, rectArea, [&](int x, int y, COLORREF cr) {
        if (!rectCast.PtInRect(CPoint(x, y)) || rect.PtInRect(CPoint(x, y)))
            return cr;
        int iBand = std::max(x - rect.right, y - rect.bottom);
        return Brightened(cr, nNearPercent + (nFarPercent - nNearPercent) * iBand / nDepth);
    });
}

void CQENDrawHelper::DrawRingGradient(CDC* pDC, const CRect& rect, COLORREF crFill, COLORREF crEdge,
                                      COLORREF crDarkEdge, int nLightAngle, int nWidth, COLORREF crOutside)
{
    const double dAngle = nLightAngle * 3.14159265358979 / 180.0;
    const double lx = std::cos(dAngle), ly = std::sin(dAngle);
    const int nBand = std::max(nWidth, 1);
    ChangePixels(pDC, rect, [&](int x, int y, COLORREF cr) {
        double nx = 0, ny = 0;
        double dInside = DistanceInside(rect, x + 0.5, y + 0.5, nx, ny);
        COLORREF crBeyond = crOutside == CLR_NONE ? cr : crOutside;
        if (dInside <= -0.5)
            return crBeyond;
        bool bLit = nx * lx + ny * ly > 0 || crDarkEdge == CLR_NONE;
        COLORREF crRim = bLit ? crEdge : crDarkEdge;
        if (dInside < 0.5)   // a pixel the edge cuts: the rim smoothed against what lies beyond it
            return Blend(crBeyond, crRim, dInside + 0.5);
        if (dInside < 1.5)
            return crRim;
        if (dInside >= nBand + 0.5)
            return crFill;
        return Blend(crEdge, crFill, (dInside - 1.5) / nBand);
    });
}

void CQENDrawHelper::Draw3dFrame(CDC* pDC, const CRect& rect, COLORREF crOuterTopLeft, COLORREF crOuterBottomRight,
                                 COLORREF crInnerTopLeft, COLORREF crInnerBottomRight)
{
    CQENDCState state(pDC);
    CRect rectFrame = rect;
    pDC->Draw3dRect(&rectFrame, crOuterTopLeft, crOuterBottomRight);
    rectFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(&rectFrame, crInnerTopLeft, crInnerBottomRight);
}

COLORREF CQENDrawHelper::Midpoint(COLORREF cr1, COLORREF cr2)
{
    return RGB((GetRValue(cr1) + GetRValue(cr2)) / 2, (GetGValue(cr1) + GetGValue(cr2)) / 2,
               (GetBValue(cr1) + GetBValue(cr2)) / 2);
}
