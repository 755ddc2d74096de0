// DibCanvas: a drawing surface whose pixels a test reads back.
#pragma once
#include "DC.h"
#include "GdiObject.h"

#include <functional>
#include <string>

// A memory DC drawing into a 32-bit top-down DIB section, whose pixels are read straight from memory.
class DibCanvas
{
public:
    DibCanvas(int cx, int cy, COLORREF crFill = RGB(255, 255, 255));
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    CBitmap& Bitmap() { return m_bitmap; }

    COLORREF Pixel(int x, int y) const;
    // How many pixels of rect, or of the whole canvas, have the colour.
    int Count(COLORREF crColor, const RECT& rect) const;
    int Count(COLORREF crColor) const { return Count(crColor, CRect(0, 0, m_cx, m_cy)); }
    // The first few pixels that differ from expected(x, y), or "" when all match.
    std::string Mismatches(const std::function<COLORREF(int, int)>& expected) const;

private:
    CBitmap m_bitmap;   // declared before dc: the DC goes first, then the bitmap it held

public:
    CDC dc;

private:
    int m_cx;
    int m_cy;
    DWORD* m_pBits = NULL;
    HGDIOBJ m_hOldBitmap = NULL;
};
