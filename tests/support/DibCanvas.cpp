#include "DibCanvas.h"

#include <stdio.h>

DibCanvas::DibCanvas(int cx, int cy, COLORREF crFill) : m_cx(cx), m_cy(cy)
{
    BITMAPINFO info;
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;   // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    m_bitmap.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0));
    m_pBits = static_cast<DWORD*>(pBits);
    dc.CreateCompatibleDC(NULL);
    m_hOldBitmap = dc.SelectObject(m_bitmap.m_hObject);
    dc.FillSolidRect(0, 0, cx, cy, crFill);
}

DibCanvas::~DibCanvas()
{
    dc.SelectObject(m_hOldBitmap);
}

COLORREF DibCanvas::Pixel(int x, int y) const
{
    ::GdiFlush();
    DWORD value = m_pBits[y * m_cx + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int DibCanvas::Count(COLORREF crColor, const RECT& rect) const
{
    int nCount = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            nCount += Pixel(x, y) == crColor ? 1 : 0;
    return nCount;
}

std::string DibCanvas::Mismatches(const std::function<COLORREF(int, int)>& expected) const
{
    std::string report;
    int nReported = 0;
    for (int y = 0; y < m_cy; ++y)
    {
        for (int x = 0; x < m_cx; ++x)
        {
            COLORREF crWanted = expected(x, y);
            COLORREF crGot = Pixel(x, y);
            if (crGot != crWanted && nReported++ < 8)
            {
                char szLine[80];
                snprintf(szLine, sizeof(szLine), "(%d,%d) got %06lX want %06lX; ", x, y,
                         static_cast<unsigned long>(crGot), static_cast<unsigned long>(crWanted));
                report += szLine;
            }
        }
    }
    return report;
}
