// CDC and the GDI object wrappers against real GDI: memory DCs over DIB sections, pixels read back.
#include "DibCanvas.h"
#include "Exception.h"
#include "GdiTestResource.h"
#include "GuiTestSupport.h"
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

template <typename Action> bool ThrowsResourceException(Action action)
{
    try
    {
        action();
    }
    catch (CResourceException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

} // namespace

TEST(GdiPaint, Draw3dRectPaintsTopLeftAndBottomRightEdgesWithTheirCorners)
{
    // x 2..11, y 3..8: the top-right and bottom-left corner pixels belong to the bottom-right colour.
    auto expected = [](int x, int y) -> COLORREF {
        if (!Inside(x, y, 2, 3, 12, 9))
            return kWhite;
        if (x == 11 || y == 8)
            return kBlue;
        return x == 2 || y == 3 ? kRed : kWhite;
    };
    DibCanvas byExtent(16, 12);
    byExtent.dc.Draw3dRect(2, 3, 10, 6, kRed, kBlue);
    EXPECT_EQ("", byExtent.Mismatches(expected));

    DibCanvas byRect(16, 12);
    byRect.dc.Draw3dRect(CRect(2, 3, 12, 9), kRed, kBlue);
    EXPECT_EQ("", byRect.Mismatches(expected));
}

TEST(GdiPaint, FillSolidRectFillsExactlyTheRectAndSetsTheBackgroundColour)
{
    DibCanvas canvas(12, 12);
    canvas.dc.SetBkColor(kBlack);
    canvas.dc.FillSolidRect(1, 2, 4, 3, kYellow);
    EXPECT_EQ(kYellow, canvas.dc.GetBkColor());
    canvas.dc.FillSolidRect(CRect(6, 6, 11, 8), kGreen);
    EXPECT_EQ(kGreen, canvas.dc.GetBkColor());

    EXPECT_EQ("", canvas.Mismatches([](int x, int y) {
        if (Inside(x, y, 1, 2, 5, 5))
            return kYellow;
        return Inside(x, y, 6, 6, 11, 8) ? kGreen : kWhite;
    }));
}

TEST(GdiBlit, RasterOperationsCombineSourceAndDestination)
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

TEST(GdiClip, ClipRegionsRestrictPaintingUntilRestored)
{
    DibCanvas canvas(20, 20);
    int nSaved = canvas.dc.SaveDC();
    ASSERT_NE(0, nSaved);
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
    EXPECT_FALSE(canvas.dc.RectVisible(CRect(12, 12, 20, 20)));

    canvas.dc.FillSolidRect(0, 0, 20, 20, kRed);
    EXPECT_EQ("", canvas.Mismatches([](int x, int y) {
        return Inside(x, y, 2, 2, 10, 12) && !Inside(x, y, 4, 4, 6, 6) ? kRed : kWhite;
    }));

    // Restoring brings back the unclipped DC and its white background colour.
    EXPECT_TRUE(canvas.dc.RestoreDC(nSaved));
    EXPECT_EQ(kWhite, canvas.dc.GetBkColor());
    canvas.dc.FillSolidRect(0, 0, 20, 20, kBlue);
    EXPECT_EQ(20 * 20, canvas.Count(kBlue));

    // A region selected as an object clips too, and SelectClipRgn(NULL) lifts it.
    CRgn ellipse;
    ellipse.CreateEllipticRgn(0, 0, 20, 20);
    EXPECT_EQ(COMPLEXREGION, canvas.dc.SelectObject(&ellipse));
    canvas.dc.FillSolidRect(0, 0, 20, 20, kRed);
    EXPECT_EQ(kRed, canvas.Pixel(10, 10));
    EXPECT_EQ(kBlue, canvas.Pixel(0, 0));
    EXPECT_EQ(SIMPLEREGION, canvas.dc.SelectClipRgn(NULL));
    EXPECT_TRUE(canvas.dc.PtVisible(0, 0));
}

TEST(GdiSelect, SelectObjectReturnsThePreviousObjectAsTheRightWrapper)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CPen pen(PS_DASH, 1, kRed);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "Arial"));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 4, 4));

    CPen* pOldPen = dc.SelectObject(&pen);
    EXPECT_EQ(::GetStockObject(BLACK_PEN), pOldPen->m_hObject);
    EXPECT_TRUE(pOldPen->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_EQ(&pen, dc.GetCurrentPen());
    CFont* pOldFont = dc.SelectObject(&font);
    EXPECT_EQ(::GetStockObject(SYSTEM_FONT), pOldFont->m_hObject);
    EXPECT_EQ(&font, dc.GetCurrentFont());
    CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
    BITMAP info;
    ASSERT_NE(0, pOldBitmap->GetBitmap(&info));
    EXPECT_EQ(1, info.bmWidth);   // every memory DC starts with the 1 x 1 monochrome bitmap
    EXPECT_EQ(&bitmap, dc.GetCurrentBitmap());

    EXPECT_EQ(&pen, dc.SelectStockObject(NULL_PEN));
    EXPECT_EQ(::GetStockObject(NULL_PEN), dc.SelectObject(static_cast<CGdiObject*>(&pen))->m_hObject);
    EXPECT_EQ(pen.m_hObject, dc.SelectObject(::GetStockObject(BLACK_PEN)));
    dc.SelectObject(pOldFont);
    dc.SelectObject(pOldBitmap);
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
    pair.MoveTo(3, 4);
    EXPECT_EQ(kRed, ::GetBkColor(output.dc.m_hDC));
    EXPECT_EQ(kRed, ::GetBkColor(attributes.m_hDC));
    EXPECT_EQ(kBlue, ::GetTextColor(output.dc.m_hDC));
    EXPECT_EQ(kBlue, ::GetTextColor(attributes.m_hDC));
    EXPECT_EQ(CPoint(3, 4), output.dc.GetCurrentPosition());
    EXPECT_EQ(CPoint(3, 4), pair.GetCurrentPosition());

    // Measuring asks the attribute DC, which holds the big font; the output DC has the system font.
    CSize attributeExtent = pair.GetTextExtent("M", 1);
    TEXTMETRIC metrics;
    ASSERT_TRUE(pair.GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight, attributeExtent.cy);
    EXPECT_GT(attributeExtent.cy, pair.GetOutputTextExtent("M", 1).cy);

    pair.FillSolidRect(0, 0, 2, 2, kGreen);
    EXPECT_EQ(kGreen, output.Pixel(1, 1));

    ::SelectObject(attributes.m_hDC, hOldFont);
    pair.ReleaseOutputDC();
    pair.ReleaseAttribDC();
    EXPECT_TRUE(pair.GetSafeHdc() == NULL);
}

TEST(GdiText, ChineseTextIsMeasuredAndDrawnWithinItsExtent)
{
    DibCanvas canvas(200, 40);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "宋体"));
    CFont* pOldFont = canvas.dc.SelectObject(&font);
    const CString mixed("QENWiz 安装");
    CSize mixedExtent = canvas.dc.GetTextExtent(mixed);
    // The whole string is measured with every byte of its two-byte characters.
    EXPECT_EQ(mixedExtent.cx - canvas.dc.GetTextExtent("QENWiz ", 7).cx, canvas.dc.GetTextExtent("安装", 4).cx);
    EXPECT_EQ(mixedExtent, canvas.dc.GetOutputTextExtent(mixed));
    TEXTMETRIC metrics;
    ASSERT_TRUE(canvas.dc.GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight, mixedExtent.cy);

    CRect measured(0, 0, 0, 0);
    canvas.dc.DrawText(mixed, &measured, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(mixedExtent, measured.Size());

    canvas.dc.SetTextColor(kBlack);
    canvas.dc.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(canvas.dc.TextOut(10, 5, mixed));
    CRect drawn(CPoint(10, 5), mixedExtent);
    EXPECT_GT(canvas.Count(kBlack, drawn), 0);
    EXPECT_EQ(canvas.Count(kBlack), canvas.Count(kBlack, drawn));
    canvas.dc.SelectObject(pOldFont);
}

TEST(GdiFont, PointFontsConvertTenthsOfAPointForTheDC)
{
    CFont screenFont;
    ASSERT_TRUE(screenFont.CreatePointFont(120, "宋体"));
    LOGFONT logFont;
    ASSERT_EQ(static_cast<int>(sizeof(LOGFONT)), screenFont.GetLogFont(&logFont));
    CClientDC screen(NULL);
    EXPECT_EQ(-::MulDiv(12, screen.GetDeviceCaps(LOGPIXELSY), 72), logFont.lfHeight);
    EXPECT_STREQ("宋体", logFont.lfFaceName);

    // In twips (1/1440 inch) a 12-point font is 240 units high, up to the rounding to whole pixels.
    DibCanvas canvas(4, 4);
    canvas.dc.SetMapMode(MM_TWIPS);
    int nPixelsPerInch = canvas.dc.GetDeviceCaps(LOGPIXELSY);
    logFont.lfHeight = 120;
    CFont mappedFont;
    ASSERT_TRUE(mappedFont.CreatePointFontIndirect(&logFont, &canvas.dc));
    LOGFONT mapped;
    mappedFont.GetLogFont(&mapped);
    EXPECT_NEAR(-::MulDiv(::MulDiv(nPixelsPerInch, 120, 720), 1440, nPixelsPerInch), mapped.lfHeight, 1);
}

TEST(GdiObjects, BitmapsLoadFromResourcesAndFailedConstructorsThrow)
{
    CBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(IDB_GDI_TEST_STRIP));
    BITMAP info;
    strip.GetBitmap(&info);
    EXPECT_EQ(64, info.bmWidth);
    EXPECT_EQ(16, info.bmHeight);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(IDB_GDI_TEST_STRIP + 1));

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

    EXPECT_TRUE(ThrowsResourceException([&] { CBrush brush(&missing); }));
    EXPECT_TRUE(ThrowsResourceException([] { CPaintDC dc(NULL); }));
}

TEST(GdiHandleMap, TemporaryDCWrappersLastUntilTheIdleCleanUp)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    CDC* pFirst = CDC::FromHandle(hDC);
    ASSERT_TRUE(pFirst != NULL);
    EXPECT_EQ(hDC, pFirst->GetSafeHdc());
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

TEST(GdiHandleMap, AttachedObjectsAnswerFromHandleOthersGetTypedTemporaries)
{
    CBrush brush(kRed);
    EXPECT_EQ(&brush, CGdiObject::FromHandle(brush.m_hObject));
    EXPECT_EQ(&brush, CBrush::FromHandle(brush));

    HBRUSH hBrush = static_cast<HBRUSH>(brush.Detach());
    CBrush* pTemporary = CBrush::FromHandle(hBrush);
    EXPECT_NE(&brush, pTemporary);
    EXPECT_EQ(pTemporary, CBrush::FromHandle(hBrush));

    CRgn region;
    region.CreateRectRgn(0, 0, 1, 1);
    HGDIOBJ handles[] = { ::GetStockObject(BLACK_PEN), hBrush, ::GetStockObject(ANSI_VAR_FONT), region.Detach() };
    CRuntimeClass* classes[] = { RUNTIME_CLASS(CPen), RUNTIME_CLASS(CBrush), RUNTIME_CLASS(CFont), RUNTIME_CLASS(CRgn) };
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(classes[i], CGdiObject::FromHandle(handles[i])->GetRuntimeClass()) << i;

    CGdiObject::DeleteTempMap();
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(hBrush));   // the objects themselves survive
    EXPECT_EQ(static_cast<DWORD>(OBJ_REGION), ::GetObjectType(handles[3]));
    ::DeleteObject(hBrush);
    ::DeleteObject(handles[3]);
}

TEST(GdiHandleMap, EachThreadHasItsOwnMap)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    EXPECT_EQ(&dc, CDC::FromHandle(dc.m_hDC));
    HDC hOther = ::CreateCompatibleDC(NULL);
    CDC* pMainTemporary = CDC::FromHandle(hOther);

    CDC* pWorkerAttached = NULL;
    CDC* pWorkerTemporary = NULL;
    std::thread worker([&] {
        pWorkerAttached = CDC::FromHandle(dc.m_hDC);
        pWorkerTemporary = CDC::FromHandle(hOther);
    });
    worker.join();

    EXPECT_NE(&dc, pWorkerAttached);   // the attachment belongs to the main thread's map
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

    CPen pen(PS_SOLID, 1, kRed);
    EXPECT_TRUE(pen.DeleteObject());
    EXPECT_TRUE(pen.GetSafeHandle() == NULL);
    EXPECT_FALSE(pen.DeleteObject());
}

TEST(GdiWindowDC, PaintClientAndWindowDCsBelongToTheirWindow)
{
    CTestTopWindow wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    wnd.ShowWindow(SW_SHOWNOACTIVATE);   // a hidden window has nothing to paint or clip to
    ::UpdateWindow(wnd);
    CRect client;
    wnd.GetClientRect(&client);
    wnd.InvalidateRect(NULL, FALSE);
    {
        CPaintDC dc(&wnd);
        EXPECT_EQ(&wnd, dc.GetWindow());
        EXPECT_EQ(client, CRect(dc.m_ps.rcPaint));
    }
    CRect update;
    EXPECT_FALSE(::GetUpdateRect(wnd, &update, FALSE));   // EndPaint validated the window

    CClientDC clientDC(&wnd);
    EXPECT_EQ(&wnd, clientDC.GetWindow());
    CWindowDC windowDC(&wnd);
    EXPECT_EQ(&wnd, windowDC.GetWindow());
    // The window DC starts at the window's corner, the client DC inside the caption and borders.
    CRect window;
    wnd.GetWindowRect(&window);
    CPoint clientCorner(0, 0);
    wnd.ClientToScreen(&clientCorner);
    POINT origin;
    ::GetDCOrgEx(windowDC, &origin);
    EXPECT_EQ(window.TopLeft(), CPoint(origin));
    ::GetDCOrgEx(clientDC, &origin);
    EXPECT_EQ(clientCorner, CPoint(origin));
    EXPECT_NE(window.TopLeft(), clientCorner);
}
