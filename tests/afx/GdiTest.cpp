// CDC and the GDI object wrappers against real GDI: memory DCs over DIB sections, pixels read back.
#include "DibCanvas.h"
#include "Exception.h"
#include "GdiTestResource.h"
#include <gtest/gtest.h>
#include <thread>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kGreen = RGB(0, 128, 0);

bool Inside(int x, int y, int left, int top, int right, int bottom)
{
    return x >= left && x < right && y >= top && y < bottom;
}

} // namespace

// ---- rectangles ----

TEST(GdiPaint, Draw3dRectPaintsTopLeftAndBottomRightEdgesWithTheirCorners)
{
    // x 2..11, y 3..8: the top-right and bottom-left corner pixels belong to the bottom-right colour.
    auto expected = [](int x, int y) -> COLORREF {
        if (!Inside(x, y, 2, 3, 12, 9))
            return kWhite;
        if (x == 11 || y == 8)
            return kBlue;
        if (x == 2 || y == 3)
            return kRed;
        return kWhite;
    };

    DibCanvas byExtent(16, 12);
    byExtent.dc.Draw3dRect(2, 3, 10, 6, kRed, kBlue);
    EXPECT_EQ("", byExtent.Mismatches(expected));

    DibCanvas byRect(16, 12);
    CRect rect(2, 3, 12, 9);
    byRect.dc.Draw3dRect(&rect, kRed, kBlue);
    EXPECT_EQ("", byRect.Mismatches(expected));
}

TEST(GdiPaint, FillSolidRectFillsExactlyTheRectAndSetsTheBackgroundColour)
{
    DibCanvas canvas(12, 12);
    canvas.dc.SetBkColor(kBlack);
    canvas.dc.FillSolidRect(1, 2, 4, 3, kYellow);
    EXPECT_EQ(kYellow, canvas.dc.GetBkColor());

    CRect rect(6, 6, 11, 8);
    canvas.dc.FillSolidRect(&rect, kGreen);
    EXPECT_EQ(kGreen, canvas.dc.GetBkColor());

    EXPECT_EQ("", canvas.Mismatches([](int x, int y) {
        if (Inside(x, y, 1, 2, 5, 5))
            return kYellow;
        return Inside(x, y, 6, 6, 11, 8) ? kGreen : kWhite;
    }));
}

TEST(GdiPaint, RectangleOperationsUseTheirBrushes)
{
    DibCanvas canvas(20, 10);
    CBrush red(kRed);
    CBrush blue(kBlue);
    CRect left(1, 1, 6, 6);
    canvas.dc.FillRect(&left, &red);
    CRect right(10, 1, 16, 7);
    canvas.dc.FrameRect(&right, &blue);
    CRect inverted(0, 8, 20, 10);
    canvas.dc.InvertRect(&inverted);

    EXPECT_EQ("", canvas.Mismatches([](int x, int y) {
        if (Inside(x, y, 1, 1, 6, 6))
            return kRed;
        if (Inside(x, y, 10, 1, 16, 7) && !Inside(x, y, 11, 2, 15, 6))
            return kBlue;
        return y >= 8 ? kBlack : kWhite;
    }));
}

TEST(GdiPaint, PenAndBrushDrawLinesAndShapes)
{
    DibCanvas canvas(30, 20);
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kBlue);
    CPen* pOldPen = canvas.dc.SelectObject(&pen);
    CBrush* pOldBrush = canvas.dc.SelectObject(&brush);

    canvas.dc.MoveTo(2, 1);
    EXPECT_EQ(CPoint(2, 1), canvas.dc.GetCurrentPosition());
    EXPECT_TRUE(canvas.dc.LineTo(12, 1));
    EXPECT_EQ(CPoint(12, 1), canvas.dc.GetCurrentPosition());
    EXPECT_TRUE(canvas.dc.Rectangle(2, 4, 10, 10));
    EXPECT_TRUE(canvas.dc.Ellipse(14, 4, 26, 16));
    POINT triangle[] = { { 2, 12 }, { 10, 12 }, { 2, 19 } };
    EXPECT_TRUE(canvas.dc.Polygon(triangle, 3));
    POINT corner[] = { { 28, 0 }, { 28, 5 }, { 23, 5 } };
    EXPECT_TRUE(canvas.dc.Polyline(corner, 3));

    EXPECT_EQ(10, canvas.Count(kRed, CRect(0, 1, 20, 2)));    // x 2..11: the end point is left out
    EXPECT_EQ(kWhite, canvas.Pixel(12, 1));
    EXPECT_EQ(kRed, canvas.Pixel(2, 4));
    EXPECT_EQ(kRed, canvas.Pixel(9, 9));
    EXPECT_EQ(6 * 4, canvas.Count(kBlue, CRect(3, 5, 9, 9)));   // the whole interior
    EXPECT_EQ(kBlue, canvas.Pixel(20, 10));                     // the ellipse's centre
    EXPECT_EQ(kWhite, canvas.Pixel(14, 4));                     // outside its curve
    EXPECT_EQ(kBlue, canvas.Pixel(4, 14));
    EXPECT_EQ(kRed, canvas.Pixel(28, 3));
    EXPECT_EQ(kWhite, canvas.Pixel(26, 3));                     // a polyline is not filled

    canvas.dc.SelectObject(pOldPen);
    canvas.dc.SelectObject(pOldBrush);
}

TEST(GdiPaint, PixelsAndDecorations)
{
    DibCanvas canvas(40, 20);
    EXPECT_EQ(kRed, canvas.dc.SetPixel(0, 0, kRed));
    EXPECT_TRUE(canvas.dc.SetPixelV(CPoint(1, 0), kBlue));
    EXPECT_EQ(kRed, canvas.dc.GetPixel(0, 0));
    EXPECT_EQ(kBlue, canvas.dc.GetPixel(CPoint(1, 0)));

    CRect edge(2, 2, 12, 12);
    EXPECT_TRUE(canvas.dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT));
    EXPECT_EQ(::GetSysColor(COLOR_3DLIGHT), canvas.Pixel(2, 2));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), canvas.Pixel(11, 11));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(3, 3));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.Pixel(10, 10));
    EXPECT_EQ(kWhite, canvas.Pixel(6, 6));   // BF_MIDDLE was not asked for

    CRect check(14, 2, 27, 15);
    EXPECT_TRUE(canvas.dc.DrawFrameControl(&check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_LT(canvas.Count(kWhite, check), check.Width() * check.Height());

    CRect focus(28, 2, 38, 12);
    canvas.dc.DrawFocusRect(&focus);
    EXPECT_GT(canvas.Count(kBlack, focus), 0);
    EXPECT_EQ(8 * 8, canvas.Count(kWhite, CRect(29, 3, 37, 11)));
}

TEST(GdiPaint, DrawStateAndDrawIconPaintImagesAndText)
{
    DibCanvas image(4, 4, kRed);
    image.dc.FillSolidRect(2, 0, 2, 4, kBlue);
    // DrawState selects the bitmap into a DC of its own, so it must not be held by another one.
    CBitmap picture;
    picture.Attach(::CopyImage(image.Bitmap().m_hObject, IMAGE_BITMAP, 0, 0, 0));
    DibCanvas canvas(60, 60);

    EXPECT_TRUE(canvas.dc.DrawState(CPoint(1, 1), CSize(4, 4), &picture, DSS_NORMAL));
    EXPECT_EQ(kRed, canvas.Pixel(1, 1));
    EXPECT_EQ(kBlue, canvas.Pixel(4, 4));

    CBitmap mask;
    mask.CreateBitmap(4, 4, 1, 1, NULL);
    {
        CDC maskDC;
        maskDC.CreateCompatibleDC(NULL);
        CBitmap* pOldMask = maskDC.SelectObject(&mask);
        maskDC.PatBlt(0, 0, 4, 4, BLACKNESS);   // 0: every pixel opaque
        maskDC.SelectObject(pOldMask);
    }
    ICONINFO iconInfo;
    memset(&iconInfo, 0, sizeof(iconInfo));
    iconInfo.fIcon = TRUE;
    iconInfo.hbmMask = mask;
    iconInfo.hbmColor = picture;
    HICON hIcon = ::CreateIconIndirect(&iconInfo);
    ASSERT_TRUE(hIcon != NULL);
    EXPECT_TRUE(canvas.dc.DrawState(CPoint(8, 1), CSize(4, 4), hIcon, DSS_NORMAL));
    EXPECT_EQ(kRed, canvas.Pixel(8, 1));
    EXPECT_EQ(kBlue, canvas.Pixel(11, 4));

    // DrawIcon stretches to the system's icon size.
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    ASSERT_LE(cxIcon, 40);
    EXPECT_TRUE(canvas.dc.DrawIcon(CPoint(14, 1), hIcon));
    EXPECT_EQ(kRed, canvas.Pixel(14, 1));
    EXPECT_EQ(kRed, canvas.Pixel(14 + cxIcon / 2 - 1, cyIcon));
    EXPECT_EQ(kBlue, canvas.Pixel(14 + cxIcon / 2, 1));
    EXPECT_EQ(kBlue, canvas.Pixel(14 + cxIcon - 1, cyIcon));
    EXPECT_EQ(kWhite, canvas.Pixel(14 + cxIcon, 1));
    ::DestroyIcon(hIcon);

    canvas.dc.SetTextColor(kBlack);
    CRect textBox(0, 42, 60, 60);
    EXPECT_TRUE(canvas.dc.DrawState(textBox.TopLeft(), textBox.Size(), "&Ab", DSS_NORMAL));
    EXPECT_GT(canvas.Count(kBlack, textBox), 0);
    EXPECT_EQ(canvas.Count(kBlack), canvas.Count(kBlack, textBox));
}

// ---- bit blocks ----

TEST(GdiBlit, RasterOperationsCombineSourcePatternAndDestination)
{
    DibCanvas source(8, 8, kRed);
    source.dc.FillSolidRect(4, 0, 4, 8, kBlue);

    DibCanvas copy(12, 12);
    EXPECT_TRUE(copy.dc.BitBlt(2, 2, 8, 8, &source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ("", copy.Mismatches([](int x, int y) {
        if (!Inside(x, y, 2, 2, 10, 10))
            return kWhite;
        return x < 6 ? kRed : kBlue;
    }));

    // Yellow AND red stays red; yellow AND blue is black.
    DibCanvas masked(8, 8, kYellow);
    EXPECT_TRUE(masked.dc.BitBlt(0, 0, 8, 8, &source.dc, 0, 0, SRCAND));
    EXPECT_EQ("", masked.Mismatches([](int x, int) { return x < 4 ? kRed : kBlack; }));

    DibCanvas stretched(16, 16);
    EXPECT_TRUE(stretched.dc.StretchBlt(0, 0, 16, 16, &source.dc, 2, 0, 4, 8, SRCCOPY));
    EXPECT_EQ("", stretched.Mismatches([](int x, int) { return x < 8 ? kRed : kBlue; }));
}

TEST(GdiBlit, PatternBrushFollowsTheBrushOrigin)
{
    DibCanvas pattern(8, 8, kGreen);
    pattern.dc.SetPixelV(0, 0, kRed);
    CBitmap patternBitmap;
    patternBitmap.Attach(::CopyImage(pattern.Bitmap().m_hObject, IMAGE_BITMAP, 0, 0, 0));
    CBrush brush(&patternBitmap);

    DibCanvas canvas(16, 16);
    CBrush* pOldBrush = canvas.dc.SelectObject(&brush);
    EXPECT_EQ(CPoint(0, 0), canvas.dc.SetBrushOrg(3, 2));
    EXPECT_EQ(CPoint(3, 2), canvas.dc.GetBrushOrg());
    EXPECT_TRUE(canvas.dc.PatBlt(0, 0, 16, 16, PATCOPY));
    canvas.dc.SelectObject(pOldBrush);

    EXPECT_EQ("", canvas.Mismatches([](int x, int y) { return (x % 8 == 3 && y % 8 == 2) ? kRed : kGreen; }));
}

TEST(GdiBlit, MaskBltTakesTheSourceWhereTheMaskIsSet)
{
    DibCanvas source(8, 8, kRed);
    DibCanvas canvas(8, 8, kBlue);
    CBitmap mask;
    // One byte per row, rows padded to 16 bits: the left four pixels set.
    const BYTE rows[16] = { 0xF0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0 };
    ASSERT_TRUE(mask.CreateBitmap(8, 8, 1, 1, rows));

    const DWORD kKeepDestination = 0x00AA0029;
    EXPECT_TRUE(canvas.dc.MaskBlt(0, 0, 8, 8, &source.dc, 0, 0, mask, 0, 0, MAKEROP4(SRCCOPY, kKeepDestination)));
    EXPECT_EQ("", canvas.Mismatches([](int x, int) { return x < 4 ? kRed : kBlue; }));
}

// ---- clipping and state ----

TEST(GdiClip, ClipRegionsRestrictPainting)
{
    DibCanvas canvas(20, 20);
    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(2, 2, 12, 12));
    EXPECT_EQ(SIMPLEREGION, canvas.dc.SelectClipRgn(&region));
    EXPECT_EQ(COMPLEXREGION, canvas.dc.ExcludeClipRect(4, 4, 6, 6));
    EXPECT_EQ(COMPLEXREGION, canvas.dc.IntersectClipRect(CRect(0, 0, 10, 20)));

    CRect box;
    EXPECT_EQ(COMPLEXREGION, canvas.dc.GetClipBox(&box));
    EXPECT_EQ(CRect(2, 2, 10, 12), box);
    EXPECT_TRUE(canvas.dc.PtVisible(3, 3));
    EXPECT_FALSE(canvas.dc.PtVisible(CPoint(4, 4)));
    EXPECT_FALSE(canvas.dc.PtVisible(11, 3));
    EXPECT_TRUE(canvas.dc.RectVisible(CRect(0, 0, 3, 3)));
    EXPECT_FALSE(canvas.dc.RectVisible(CRect(12, 12, 20, 20)));

    canvas.dc.FillSolidRect(0, 0, 20, 20, kRed);
    EXPECT_EQ("", canvas.Mismatches([](int x, int y) {
        return Inside(x, y, 2, 2, 10, 12) && !Inside(x, y, 4, 4, 6, 6) ? kRed : kWhite;
    }));

    EXPECT_EQ(SIMPLEREGION, canvas.dc.SelectClipRgn(NULL, RGN_COPY));
    canvas.dc.FillSolidRect(0, 0, 20, 20, kBlue);
    EXPECT_EQ(20 * 20, canvas.Count(kBlue));
}

TEST(GdiClip, SelectingARegionObjectClipsLikeSelectClipRgn)
{
    DibCanvas canvas(10, 10);
    CRgn region;
    region.CreateEllipticRgn(0, 0, 10, 10);
    EXPECT_EQ(COMPLEXREGION, canvas.dc.SelectObject(&region));
    canvas.dc.FillSolidRect(0, 0, 10, 10, kRed);
    EXPECT_EQ(kRed, canvas.Pixel(5, 5));
    EXPECT_EQ(kWhite, canvas.Pixel(0, 0));
    EXPECT_EQ(kWhite, canvas.Pixel(9, 9));
}

TEST(GdiClip, SaveDCAndRestoreDCBringBackColoursModesAndClipping)
{
    DibCanvas canvas(10, 10);
    canvas.dc.SetBkColor(kRed);
    canvas.dc.SetTextColor(kBlue);
    canvas.dc.SetBkMode(OPAQUE);
    int nSaved = canvas.dc.SaveDC();
    ASSERT_NE(0, nSaved);

    EXPECT_EQ(kRed, canvas.dc.SetBkColor(kGreen));
    EXPECT_EQ(kBlue, canvas.dc.SetTextColor(kYellow));
    EXPECT_EQ(OPAQUE, canvas.dc.SetBkMode(TRANSPARENT));
    EXPECT_EQ(R2_COPYPEN, canvas.dc.SetROP2(R2_XORPEN));
    EXPECT_EQ(TA_TOP | TA_LEFT, canvas.dc.SetTextAlign(TA_BOTTOM | TA_RIGHT));
    canvas.dc.IntersectClipRect(0, 0, 1, 1);

    EXPECT_TRUE(canvas.dc.RestoreDC(nSaved));
    EXPECT_EQ(kRed, canvas.dc.GetBkColor());
    EXPECT_EQ(kBlue, canvas.dc.GetTextColor());
    EXPECT_EQ(OPAQUE, canvas.dc.GetBkMode());
    EXPECT_EQ(R2_COPYPEN, canvas.dc.GetROP2());
    EXPECT_EQ(static_cast<UINT>(TA_TOP | TA_LEFT), canvas.dc.GetTextAlign());
    EXPECT_TRUE(canvas.dc.PtVisible(5, 5));
}

// ---- mapping ----

TEST(GdiMapping, OriginsMoveDrawingAndConvertPoints)
{
    DibCanvas canvas(20, 20);
    EXPECT_EQ(CPoint(0, 0), canvas.dc.SetViewportOrg(5, 4));
    EXPECT_EQ(CPoint(5, 4), canvas.dc.OffsetViewportOrg(1, 2));
    EXPECT_EQ(CPoint(6, 6), canvas.dc.GetViewportOrg());
    EXPECT_EQ(CPoint(0, 0), canvas.dc.SetWindowOrg(CPoint(2, 2)));
    EXPECT_EQ(CPoint(2, 2), canvas.dc.OffsetWindowOrg(1, 1));
    EXPECT_EQ(CPoint(3, 3), canvas.dc.GetWindowOrg());

    // Device = logical - window origin + viewport origin.
    canvas.dc.FillSolidRect(3, 3, 2, 2, kRed);
    EXPECT_EQ("", canvas.Mismatches([](int x, int y) { return Inside(x, y, 6, 6, 8, 8) ? kRed : kWhite; }));

    CPoint point(10, 10);
    canvas.dc.LPtoDP(&point);
    EXPECT_EQ(CPoint(13, 13), point);
    canvas.dc.DPtoLP(&point);
    EXPECT_EQ(CPoint(10, 10), point);
    CRect rect(3, 3, 5, 5);
    canvas.dc.LPtoDP(&rect);
    EXPECT_EQ(CRect(6, 6, 8, 8), rect);
    canvas.dc.DPtoLP(&rect);
    EXPECT_EQ(CRect(3, 3, 5, 5), rect);
}

TEST(GdiMapping, LowEnglishModeCountsHundredthsOfAnInchUpwards)
{
    DibCanvas canvas(10, 10);
    EXPECT_EQ(MM_TEXT, canvas.dc.SetMapMode(MM_LOENGLISH));
    EXPECT_EQ(MM_LOENGLISH, canvas.dc.GetMapMode());
    int nPixelsPerInch = canvas.dc.GetDeviceCaps(LOGPIXELSY);
    ASSERT_GT(nPixelsPerInch, 0);

    POINT points[2] = { { 0, 0 }, { 100, -100 } };
    canvas.dc.LPtoDP(points, 2);
    EXPECT_EQ(points[0].x + canvas.dc.GetDeviceCaps(LOGPIXELSX), points[1].x);
    EXPECT_EQ(points[0].y + nPixelsPerInch, points[1].y);
}

// ---- selected objects ----

TEST(GdiSelect, SelectObjectReturnsThePreviousObjectAsTheRightWrapper)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CPen pen(PS_DASH, 1, kRed);
    CBrush brush(HS_CROSS, kBlue);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "Arial"));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 4, 4));

    CPen* pOldPen = dc.SelectObject(&pen);
    ASSERT_TRUE(pOldPen != NULL);
    EXPECT_EQ(::GetStockObject(BLACK_PEN), pOldPen->m_hObject);
    EXPECT_TRUE(pOldPen->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_EQ(&pen, dc.GetCurrentPen());

    CBrush* pOldBrush = dc.SelectObject(&brush);
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), pOldBrush->m_hObject);
    EXPECT_TRUE(pOldBrush->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_EQ(&brush, dc.GetCurrentBrush());

    CFont* pOldFont = dc.SelectObject(&font);
    EXPECT_EQ(::GetStockObject(SYSTEM_FONT), pOldFont->m_hObject);
    EXPECT_TRUE(pOldFont->IsKindOf(RUNTIME_CLASS(CFont)));
    EXPECT_EQ(&font, dc.GetCurrentFont());

    CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
    BITMAP info;
    ASSERT_NE(0, pOldBitmap->GetBitmap(&info));
    EXPECT_EQ(1, info.bmWidth);   // every memory DC starts with the 1 x 1 monochrome bitmap
    EXPECT_EQ(&bitmap, dc.GetCurrentBitmap());

    CGdiObject* pReplaced = dc.SelectStockObject(NULL_PEN);
    EXPECT_EQ(&pen, pReplaced);
    EXPECT_EQ(::GetStockObject(NULL_PEN), dc.GetCurrentPen()->m_hObject);
    EXPECT_EQ(::GetStockObject(NULL_PEN), dc.SelectObject(static_cast<CGdiObject*>(&pen))->m_hObject);
    EXPECT_EQ(pen.m_hObject, dc.SelectObject(::GetStockObject(BLACK_PEN)));

    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldFont);
    dc.SelectObject(pOldBitmap);
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), dc.GetCurrentBrush()->m_hObject);
}

TEST(GdiSelect, SettingsReachBothDCsWhenOutputAndAttributesAreApart)
{
    DibCanvas output(40, 40);
    CDC attributes;
    ASSERT_TRUE(attributes.CreateCompatibleDC(NULL));
    CFont bigFont;
    ASSERT_TRUE(bigFont.CreateFont(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    HGDIOBJ hOldFont = ::SelectObject(attributes.m_hDC, bigFont.m_hObject);

    CDC pair;
    pair.SetOutputDC(output.dc.m_hDC);
    pair.SetAttribDC(attributes.m_hDC);

    pair.SetBkColor(kRed);
    pair.SetTextColor(kBlue);
    EXPECT_EQ(kRed, ::GetBkColor(output.dc.m_hDC));
    EXPECT_EQ(kRed, ::GetBkColor(attributes.m_hDC));
    EXPECT_EQ(kBlue, ::GetTextColor(output.dc.m_hDC));
    EXPECT_EQ(kBlue, ::GetTextColor(attributes.m_hDC));

    // Measuring asks the attribute DC, which holds the big font; the output DC has the system font.
    CSize attributeExtent = pair.GetTextExtent("M", 1);
    CSize outputExtent = pair.GetOutputTextExtent("M", 1);
    TEXTMETRIC metrics;
    ASSERT_TRUE(pair.GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight, attributeExtent.cy);
    EXPECT_GT(attributeExtent.cy, outputExtent.cy);

    pair.MoveTo(3, 4);
    EXPECT_EQ(CPoint(3, 4), CPoint(output.dc.GetCurrentPosition()));
    EXPECT_EQ(CPoint(3, 4), pair.GetCurrentPosition());

    pair.FillSolidRect(0, 0, 2, 2, kGreen);
    EXPECT_EQ(kGreen, output.Pixel(1, 1));

    ::SelectObject(attributes.m_hDC, hOldFont);
    pair.ReleaseOutputDC();
    pair.ReleaseAttribDC();
    EXPECT_TRUE(pair.GetSafeHdc() == NULL);
    EXPECT_TRUE(pair.m_hAttribDC == NULL);
}

// ---- text ----

TEST(GdiText, ChineseTextExtentsArePositiveAndGrowWithTheText)
{
    DibCanvas canvas(200, 40);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "宋体"));
    CFont* pOldFont = canvas.dc.SelectObject(&font);

    CString face;
    EXPECT_GT(canvas.dc.GetTextFace(face), 0);
    EXPECT_FALSE(face.IsEmpty());
    char szFace[LF_FACESIZE];
    EXPECT_GT(canvas.dc.GetTextFace(LF_FACESIZE, szFace), 0);
    EXPECT_STREQ(face, szFace);

    const CString ascii("QENWiz");
    const CString mixed("QENWiz 安装");
    const CString longer("QENWiz 安装完成");
    CSize asciiExtent = canvas.dc.GetTextExtent(ascii);
    CSize mixedExtent = canvas.dc.GetTextExtent(mixed);
    CSize longerExtent = canvas.dc.GetTextExtent(longer);
    EXPECT_GT(asciiExtent.cx, 0);
    EXPECT_GT(mixedExtent.cx, asciiExtent.cx);
    EXPECT_GT(longerExtent.cx, mixedExtent.cx);
    EXPECT_EQ(mixedExtent, canvas.dc.GetTextExtent(mixed, mixed.GetLength()));
    EXPECT_EQ(mixedExtent, canvas.dc.GetOutputTextExtent(mixed));

    // Each two-byte character is one ideograph, wider than a narrow Latin letter.
    CSize ideograph = canvas.dc.GetTextExtent("安", 2);
    EXPECT_GT(ideograph.cx, canvas.dc.GetTextExtent("i", 1).cx);
    EXPECT_EQ(longerExtent.cx - mixedExtent.cx, canvas.dc.GetTextExtent("完成", 4).cx);

    TEXTMETRIC metrics;
    ASSERT_TRUE(canvas.dc.GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight, mixedExtent.cy);

    canvas.dc.SelectObject(pOldFont);
}

TEST(GdiText, TextIsDrawnWithinItsMeasuredExtent)
{
    DibCanvas canvas(200, 60);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "宋体"));
    CFont* pOldFont = canvas.dc.SelectObject(&font);
    canvas.dc.SetTextColor(kBlack);
    canvas.dc.SetBkMode(TRANSPARENT);

    const CString text("安装 Setup");
    CSize extent = canvas.dc.GetTextExtent(text);
    EXPECT_TRUE(canvas.dc.TextOut(10, 5, text));
    CRect drawn(10, 5, 10 + extent.cx, 5 + extent.cy);
    EXPECT_GT(canvas.Count(kBlack, drawn), 0);
    EXPECT_EQ(0, canvas.Count(kBlack) - canvas.Count(kBlack, drawn));

    CRect measured(0, 0, 0, 0);
    canvas.dc.DrawText(text, &measured, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(extent.cx, measured.Width());
    EXPECT_EQ(extent.cy, measured.Height());

    // An opaque ExtTextOut fills its rectangle with the background colour.
    canvas.dc.SetBkColor(kYellow);
    CRect opaque(0, 30, 200, 60);
    EXPECT_TRUE(canvas.dc.ExtTextOut(10, 32, ETO_OPAQUE, &opaque, "OK", 2, NULL));
    EXPECT_GT(canvas.Count(kYellow, opaque), 0);
    EXPECT_EQ(0, canvas.Count(kWhite, opaque));

    canvas.dc.SelectObject(pOldFont);
}

TEST(GdiText, DrawTextAndGrayStringPaintInsideTheirRectangles)
{
    DibCanvas canvas(200, 60);
    canvas.dc.SetTextColor(kBlack);
    canvas.dc.SetBkMode(TRANSPARENT);
    CRect box(5, 5, 120, 25);
    EXPECT_GT(canvas.dc.DrawText("确定", -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER), 0);
    EXPECT_GT(canvas.Count(kBlack, box), 0);
    EXPECT_EQ(canvas.Count(kBlack), canvas.Count(kBlack, box));

    CBrush gray(RGB(128, 128, 128));
    static const char kText[] = "Gray";
    EXPECT_TRUE(canvas.dc.GrayString(&gray, NULL, reinterpret_cast<LPARAM>(kText), 4, 5, 30, 0, 0));
    EXPECT_LT(canvas.Count(kWhite, CRect(5, 30, 100, 60)), 95 * 30);
}

// ---- fonts and other objects ----

TEST(GdiFont, PointFontsConvertTenthsOfAPointForTheDC)
{
    CFont screenFont;
    ASSERT_TRUE(screenFont.CreatePointFont(120, "宋体"));
    LOGFONT logFont;
    ASSERT_EQ(static_cast<int>(sizeof(LOGFONT)), screenFont.GetLogFont(&logFont));
    HDC hScreen = ::GetDC(NULL);
    int nPixelsPerInch = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(NULL, hScreen);
    EXPECT_EQ(-::MulDiv(12, nPixelsPerInch, 72), logFont.lfHeight);
    EXPECT_STREQ("宋体", logFont.lfFaceName);
    EXPECT_EQ(DEFAULT_CHARSET, logFont.lfCharSet);

    // In hundredths of an inch a 12-point font is 16.7 units high, whatever the resolution.
    DibCanvas canvas(4, 4);
    canvas.dc.SetMapMode(MM_LOENGLISH);
    logFont.lfHeight = 120;
    CFont mappedFont;
    ASSERT_TRUE(mappedFont.CreatePointFontIndirect(&logFont, &canvas.dc));
    LOGFONT mapped;
    mappedFont.GetLogFont(&mapped);
    EXPECT_GE(mapped.lfHeight, -18);
    EXPECT_LE(mapped.lfHeight, -16);
}

TEST(GdiObjects, PensBrushesAndBitmapsKeepWhatTheyWereMadeWith)
{
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_DOT, 1, kRed));
    LOGPEN logPen;
    ASSERT_NE(0, pen.GetLogPen(&logPen));
    EXPECT_EQ(static_cast<UINT>(PS_DOT), logPen.lopnStyle);
    EXPECT_EQ(kRed, logPen.lopnColor);
    CPen copy;
    ASSERT_TRUE(copy.CreatePenIndirect(&logPen));
    EXPECT_EQ(static_cast<UINT>(OBJ_PEN), copy.GetObjectType());
    LOGBRUSH geometric = { BS_SOLID, kBlue, 0 };
    CPen wide(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 3, &geometric);
    EXPECT_EQ(static_cast<UINT>(OBJ_EXTPEN), wide.GetObjectType());

    CBrush hatch(HS_DIAGCROSS, kGreen);
    LOGBRUSH logBrush;
    ASSERT_NE(0, hatch.GetLogBrush(&logBrush));
    EXPECT_EQ(static_cast<UINT>(BS_HATCHED), logBrush.lbStyle);
    EXPECT_EQ(kGreen, logBrush.lbColor);
    EXPECT_EQ(static_cast<ULONG_PTR>(HS_DIAGCROSS), logBrush.lbHatch);
    CBrush indirect;
    ASSERT_TRUE(indirect.CreateBrushIndirect(&logBrush));
    CBrush system;
    ASSERT_TRUE(system.CreateSysColorBrush(COLOR_BTNFACE));
    ASSERT_NE(0, system.GetLogBrush(&logBrush));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), logBrush.lbColor);

    const BYTE bits[8] = { 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0 };
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 4, 1, 1, bits));
    BITMAP info;
    ASSERT_NE(0, bitmap.GetBitmap(&info));
    EXPECT_EQ(8, info.bmWidth);
    EXPECT_EQ(4, info.bmHeight);
    EXPECT_EQ(1, info.bmBitsPixel);
    BYTE readBack[8] = {};
    EXPECT_EQ(8u, bitmap.GetBitmapBits(sizeof(readBack), readBack));
    EXPECT_EQ(0, memcmp(bits, readBack, 8));
    const BYTE inverted[8] = { 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0 };
    EXPECT_EQ(8u, bitmap.SetBitmapBits(sizeof(inverted), inverted));
    bitmap.GetBitmapBits(sizeof(readBack), readBack);
    EXPECT_EQ(0, memcmp(inverted, readBack, 8));

    EXPECT_EQ(CSize(0, 0), bitmap.SetBitmapDimension(80, 40));
    EXPECT_EQ(CSize(80, 40), bitmap.GetBitmapDimension());

    CBitmap indirectBitmap;
    ASSERT_TRUE(indirectBitmap.CreateBitmapIndirect(&info));
    EXPECT_EQ(static_cast<UINT>(OBJ_BITMAP), indirectBitmap.GetObjectType());
}

TEST(GdiObjects, BitmapsLoadFromResources)
{
    CBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(IDB_GDI_TEST_STRIP));
    BITMAP info;
    strip.GetBitmap(&info);
    EXPECT_EQ(64, info.bmWidth);
    EXPECT_EQ(16, info.bmHeight);

    CBitmap byName;
    EXPECT_TRUE(byName.LoadBitmap(MAKEINTRESOURCE(IDB_GDI_TEST_STRIP)));
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(IDB_GDI_TEST_STRIP + 1));
    EXPECT_TRUE(missing.GetSafeHandle() == NULL);

    const UINT kCheckMark = 32760;   // OBM_CHECK, visible only with OEMRESOURCE before windows.h
    CBitmap check;
    ASSERT_TRUE(check.LoadOEMBitmap(kCheckMark));
    EXPECT_EQ(static_cast<UINT>(OBJ_BITMAP), check.GetObjectType());

    // An explicit map replaces colours of the colour table: red becomes blue, the rest stays.
    COLORMAP redToBlue = { kRed, kBlue };
    CBitmap mapped;
    ASSERT_TRUE(mapped.LoadMappedBitmap(IDB_GDI_TEST_STRIP, 0, &redToBlue, 1));
    DibCanvas canvas(64, 16);
    CDC source;
    source.CreateCompatibleDC(&canvas.dc);
    CBitmap* pOld = source.SelectObject(&mapped);
    canvas.dc.BitBlt(0, 0, 64, 16, &source, 0, 0, SRCCOPY);
    source.SelectObject(pOld);
    EXPECT_EQ(kBlue, canvas.Pixel(6, 6));
    EXPECT_EQ(kBlue, canvas.Pixel(38, 6));
    EXPECT_EQ(RGB(255, 0, 255), canvas.Pixel(0, 0));
}

TEST(GdiObjects, ConstructorsThatCannotCreateThrowResourceExceptions)
{
    CBitmap none;
    bool bThrown = false;
    try
    {
        CBrush brush(&none);
    }
    catch (CResourceException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);

    bThrown = false;
    try
    {
        CPaintDC dc(NULL);
    }
    catch (CResourceException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

// ---- regions ----

TEST(GdiRegion, RegionsCombineCompareAndMove)
{
    CRgn left;
    CRgn right;
    ASSERT_TRUE(left.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(right.CreateRectRgnIndirect(CRect(5, 5, 15, 15)));

    CRgn result;
    ASSERT_TRUE(result.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(SIMPLEREGION, result.CombineRgn(&left, &right, RGN_AND));
    CRect box;
    EXPECT_EQ(SIMPLEREGION, result.GetRgnBox(&box));
    EXPECT_EQ(CRect(5, 5, 10, 10), box);

    EXPECT_EQ(COMPLEXREGION, result.CombineRgn(&left, &right, RGN_OR));
    EXPECT_TRUE(result.PtInRegion(12, 12));
    EXPECT_FALSE(result.PtInRegion(CPoint(12, 2)));
    EXPECT_TRUE(result.RectInRegion(CRect(11, 0, 20, 6)));
    EXPECT_FALSE(result.RectInRegion(CRect(11, 0, 20, 4)));

    CRgn copy;
    ASSERT_TRUE(copy.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(COMPLEXREGION, copy.CopyRgn(&result));
    EXPECT_TRUE(copy.EqualRgn(&result));
    EXPECT_EQ(COMPLEXREGION, copy.OffsetRgn(CPoint(1, 0)));
    EXPECT_FALSE(copy.EqualRgn(&result));
    copy.GetRgnBox(&box);
    EXPECT_EQ(CRect(1, 0, 16, 15), box);

    copy.SetRectRgn(CRect(2, 2, 4, 4));
    copy.GetRgnBox(&box);
    EXPECT_EQ(CRect(2, 2, 4, 4), box);
    EXPECT_EQ(NULLREGION, copy.CombineRgn(&copy, &left, RGN_DIFF));

    CRgn ellipse;
    ASSERT_TRUE(ellipse.CreateEllipticRgnIndirect(CRect(0, 0, 20, 20)));
    EXPECT_TRUE(ellipse.PtInRegion(10, 10));
    EXPECT_FALSE(ellipse.PtInRegion(1, 1));
    CRgn rounded;
    ASSERT_TRUE(rounded.CreateRoundRectRgn(0, 0, 20, 20, 10, 10));
    EXPECT_TRUE(rounded.PtInRegion(1, 10));
    EXPECT_FALSE(rounded.PtInRegion(0, 0));
    POINT triangle[] = { { 0, 0 }, { 20, 0 }, { 0, 20 } };
    CRgn polygon;
    ASSERT_TRUE(polygon.CreatePolygonRgn(triangle, 3, ALTERNATE));
    EXPECT_TRUE(polygon.PtInRegion(3, 3));
    EXPECT_FALSE(polygon.PtInRegion(15, 15));
}

TEST(GdiRegion, RegionsPaintWithTheirBrushes)
{
    DibCanvas canvas(30, 10);
    CRgn filled;
    filled.CreateRectRgn(1, 1, 6, 6);
    CRgn framed;
    framed.CreateRectRgn(10, 1, 16, 7);
    CRgn painted;
    painted.CreateRectRgn(20, 1, 24, 5);
    CBrush red(kRed);
    CBrush blue(kBlue);
    CBrush green(kGreen);

    EXPECT_TRUE(canvas.dc.FillRgn(&filled, &red));
    EXPECT_TRUE(canvas.dc.FrameRgn(&framed, &blue, 1, 1));
    CBrush* pOld = canvas.dc.SelectObject(&green);
    EXPECT_TRUE(canvas.dc.PaintRgn(&painted));
    canvas.dc.SelectObject(pOld);

    EXPECT_EQ("", canvas.Mismatches([](int x, int y) {
        if (Inside(x, y, 1, 1, 6, 6))
            return kRed;
        if (Inside(x, y, 10, 1, 16, 7) && !Inside(x, y, 11, 2, 15, 6))
            return kBlue;
        return Inside(x, y, 20, 1, 24, 5) ? kGreen : kWhite;
    }));
}

// ---- handle maps and ownership ----

TEST(GdiHandleMap, TemporaryDCWrappersLastUntilTheIdleCleanUp)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    CDC* pFirst = CDC::FromHandle(hDC);
    ASSERT_TRUE(pFirst != NULL);
    EXPECT_EQ(hDC, pFirst->GetSafeHdc());
    EXPECT_EQ(hDC, pFirst->m_hAttribDC);
    EXPECT_EQ(pFirst, CDC::FromHandle(hDC));
    EXPECT_TRUE(CDC::FromHandle(NULL) == NULL);

    // A mark on the wrapper shows whether FromHandle still answers with the same object.
    HDC hMark = ::CreateCompatibleDC(NULL);
    pFirst->m_hAttribDC = hMark;
    EXPECT_EQ(hMark, CDC::FromHandle(hDC)->m_hAttribDC);

    CDC::DeleteTempMap();
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(hDC));   // the DC itself survives
    EXPECT_EQ(hDC, CDC::FromHandle(hDC)->m_hAttribDC);               // a fresh wrapper
    CDC::DeleteTempMap();
    ::DeleteDC(hMark);
    ::DeleteDC(hDC);
}

TEST(GdiHandleMap, AttachedObjectsAnswerFromHandleUntilDetached)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    EXPECT_EQ(&dc, CDC::FromHandle(dc.m_hDC));

    CBrush brush(kRed);
    EXPECT_EQ(&brush, CGdiObject::FromHandle(brush.m_hObject));
    EXPECT_EQ(&brush, CBrush::FromHandle(brush));

    HBRUSH hBrush = static_cast<HBRUSH>(brush.Detach());
    CBrush* pTemporary = CBrush::FromHandle(hBrush);
    EXPECT_NE(&brush, pTemporary);
    EXPECT_TRUE(pTemporary->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_EQ(pTemporary, CBrush::FromHandle(hBrush));

    CGdiObject::DeleteTempMap();
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(hBrush));   // the brush itself survives
    ::DeleteObject(hBrush);
}

TEST(GdiHandleMap, TemporaryObjectWrappersMatchTheObjectType)
{
    CRgn region;
    region.CreateRectRgn(0, 0, 1, 1);
    HGDIOBJ handles[] = { ::GetStockObject(BLACK_PEN), ::GetStockObject(GRAY_BRUSH), ::GetStockObject(ANSI_VAR_FONT),
                          region.Detach() };
    CRuntimeClass* classes[] = { RUNTIME_CLASS(CPen), RUNTIME_CLASS(CBrush), RUNTIME_CLASS(CFont), RUNTIME_CLASS(CRgn) };
    for (int i = 0; i < 4; ++i)
    {
        CGdiObject* pObject = CGdiObject::FromHandle(handles[i]);
        EXPECT_EQ(classes[i], pObject->GetRuntimeClass()) << i;
        EXPECT_EQ(handles[i], pObject->m_hObject);
    }
    CGdiObject::DeleteTempMap();
    EXPECT_EQ(static_cast<DWORD>(OBJ_REGION), ::GetObjectType(handles[3]));
    ::DeleteObject(handles[3]);
}

TEST(GdiHandleMap, EachThreadHasItsOwnMap)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    HDC hOther = ::CreateCompatibleDC(NULL);
    CDC* pMainTemporary = CDC::FromHandle(hOther);

    CDC* pWorkerAttached = NULL;
    CDC* pWorkerTemporary = NULL;
    HDC hWorkerAttached = NULL;
    std::thread worker([&] {
        pWorkerAttached = CDC::FromHandle(dc.m_hDC);
        hWorkerAttached = pWorkerAttached->m_hDC;
        pWorkerTemporary = CDC::FromHandle(hOther);
    });
    worker.join();

    EXPECT_NE(&dc, pWorkerAttached);   // the attachment belongs to the main thread's map
    EXPECT_EQ(dc.m_hDC, hWorkerAttached);
    EXPECT_NE(pMainTemporary, pWorkerTemporary);
    EXPECT_EQ(pMainTemporary, CDC::FromHandle(hOther));
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(hOther));   // the thread's end freed wrappers only
    CDC::DeleteTempMap();
    ::DeleteDC(hOther);
}

TEST(GdiOwnership, DestructorsDeleteOwnedObjectsAndDetachKeepsThem)
{
    HGDIOBJ owned[5];
    HGDIOBJ detached[5];
    for (int nPass = 0; nPass < 2; ++nPass)
    {
        HGDIOBJ* handles = nPass == 0 ? owned : detached;
        CPen pen(PS_SOLID, 1, kRed);
        CBrush brush(kBlue);
        CFont font;
        font.CreatePointFont(90, "宋体");
        CBitmap bitmap;
        bitmap.CreateBitmap(2, 2, 1, 1, NULL);
        CRgn region;
        region.CreateRectRgn(0, 0, 2, 2);
        CGdiObject* objects[5] = { &pen, &brush, &font, &bitmap, &region };
        for (int i = 0; i < 5; ++i)
            handles[i] = nPass == 0 ? objects[i]->m_hObject : objects[i]->Detach();
    }
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ(0u, static_cast<DWORD>(::GetObjectType(owned[i]))) << i;
        EXPECT_NE(0u, static_cast<DWORD>(::GetObjectType(detached[i]))) << i;
        ::DeleteObject(detached[i]);
    }

    HDC hOwnedDC;
    HDC hDetachedDC;
    {
        CDC owner;
        owner.CreateCompatibleDC(NULL);
        hOwnedDC = owner.m_hDC;
        CDC keeper;
        keeper.CreateCompatibleDC(NULL);
        hDetachedDC = keeper.Detach();
    }
    EXPECT_EQ(0u, static_cast<DWORD>(::GetObjectType(hOwnedDC)));
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(hDetachedDC));
    ::DeleteDC(hDetachedDC);
}

TEST(GdiOwnership, DeleteObjectAndDeleteDCEmptyTheWrapper)
{
    CPen pen(PS_SOLID, 1, kRed);
    HGDIOBJ hPen = pen.m_hObject;
    EXPECT_TRUE(pen.DeleteObject());
    EXPECT_TRUE(pen.GetSafeHandle() == NULL);
    EXPECT_EQ(0u, static_cast<DWORD>(::GetObjectType(hPen)));
    EXPECT_FALSE(pen.DeleteObject());
    EXPECT_NE(&pen, CGdiObject::FromHandle(::GetStockObject(BLACK_PEN)));

    CBrush stock;
    ASSERT_TRUE(stock.CreateStockObject(GRAY_BRUSH));
    EXPECT_EQ(static_cast<UINT>(OBJ_BRUSH), stock.GetObjectType());
    EXPECT_TRUE(stock.DeleteObject());
    EXPECT_TRUE(stock.GetSafeHandle() == NULL);

    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HDC hDC = dc.m_hDC;
    EXPECT_TRUE(dc.DeleteDC());
    EXPECT_TRUE(dc.GetSafeHdc() == NULL);
    EXPECT_EQ(0u, static_cast<DWORD>(::GetObjectType(hDC)));
    EXPECT_FALSE(dc.DeleteDC());
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}

// ---- window DCs ----

TEST(GdiWindowDC, ScreenDCsComeFromANullWindowAndAreReleased)
{
    {
        CClientDC screen(NULL);
        EXPECT_GT(screen.GetDeviceCaps(HORZRES), 0);
        EXPECT_EQ(static_cast<DWORD>(OBJ_DC), ::GetObjectType(screen.m_hDC));
        EXPECT_EQ(&screen, CDC::FromHandle(screen.m_hDC));
    }
    {
        CWindowDC screen(NULL);
        EXPECT_GT(screen.GetDeviceCaps(VERTRES), 0);
        CDC compatible;
        EXPECT_TRUE(compatible.CreateCompatibleDC(&screen));
    }
    CDC::DeleteTempMap();
}
