#include "QENDrawingCache.h"
#include "DibCanvas.h"
#include "GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

LOGFONTA LogFontOf(CFont& font)
{
    LOGFONTA lf = {};
    EXPECT_NE(nullptr, font.m_hObject);
    font.GetLogFont(&lf);
    return lf;
}

int TextHeightOf(CFont& font)
{
    CClientDC dc(NULL);
    CFont* pOld = dc.SelectObject(&font);
    TEXTMETRICA tm = {};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    return tm.tmHeight;
}

// Whether GDI gives the face itself when asked for it, rather than a stand-in.
bool IsInstalled(LPCTSTR lpszFace)
{
    CFont font;
    font.CreatePointFont(90, lpszFace);
    CClientDC dc(NULL);
    CFont* pOld = dc.SelectObject(&font);
    CString strFace;
    dc.GetTextFace(strFace);
    dc.SelectObject(pOld);
    return strFace == lpszFace;
}

// The one colour an 8 x 8 area painted with the brush shows, CLR_INVALID for a pattern.
COLORREF PaintedBy(CBrush& brush)
{
    DibCanvas canvas(8, 8);
    CRect rect(0, 0, 8, 8);
    canvas.dc.FillRect(&rect, &brush);
    return canvas.Count(canvas.Pixel(0, 0)) == 64 ? canvas.Pixel(0, 0) : CLR_INVALID;
}

// Changes system colours and metrics for one test and puts them back, with the cache, however it ends.
class DrawingCacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 2; i++)
            m_crSaved[i] = ::GetSysColor(kFaceAndHighlight[i]);
        m_metricsSaved = Metrics();
    }

    void TearDown() override
    {
        ::SetSysColors(2, kFaceAndHighlight, m_crSaved);
        ::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, m_metricsSaved.cbSize, &m_metricsSaved, 0);
        theDrawingCache.RefreshColours();
        theDrawingCache.RefreshFonts();
    }

    static void SetFaceAndHighlight(COLORREF crFace, COLORREF crHighlight)
    {
        const COLORREF colours[2] = {crFace, crHighlight};
        ASSERT_TRUE(::SetSysColors(2, kFaceAndHighlight, colours));
        theDrawingCache.RefreshColours();
    }

    static NONCLIENTMETRICSA Metrics()
    {
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
        ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
        return metrics;
    }

    static void SetMenuFont(BYTE nCharSet, LPCTSTR lpszFace)
    {
        NONCLIENTMETRICSA metrics = Metrics();
        metrics.lfMenuFont.lfHeight = -15;
        metrics.lfMenuFont.lfCharSet = nCharSet;
        lstrcpyA(metrics.lfMenuFont.lfFaceName, lpszFace);
        ASSERT_TRUE(::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
        theDrawingCache.RefreshFonts();
    }

    static constexpr int kFaceAndHighlight[2] = {COLOR_BTNFACE, COLOR_BTNHIGHLIGHT};
    COLORREF m_crSaved[2];
    NONCLIENTMETRICSA m_metricsSaved;
};

TEST_F(DrawingCacheTest, ColourChangeReachesColoursAndSystemBrushes)
{
    SetFaceAndHighlight(RGB(10, 120, 230), RGB(250, 250, 250));
    CQENDrawingCache& cache = theDrawingCache;
    EXPECT_EQ(RGB(10, 120, 230), cache.m_crFace);
    EXPECT_EQ(RGB(250, 250, 250), cache.m_crHighlight);
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), cache.m_brFace.m_hObject);
    EXPECT_EQ(&cache.m_brFace, CBrush::FromHandle(::GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(RGB(10, 120, 230), PaintedBy(cache.m_brFace));
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNHIGHLIGHT), cache.m_hbrHighlightSys);
    EXPECT_EQ(::GetSysColorBrush(COLOR_3DDKSHADOW), cache.m_brDarkShadow.m_hObject);
}

TEST_F(DrawingCacheTest, HalftoneOnATrueColourScreenIsHalfwayBetweenFaceAndHighlight)
{
    {
        CClientDC dc(NULL);
        EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), theDrawingCache.m_nScreenBits);
    }
    ASSERT_GT(theDrawingCache.m_nScreenBits, 8) << "the test display has a palette";
    SetFaceAndHighlight(RGB(10, 120, 230), RGB(250, 250, 250));
    EXPECT_EQ(RGB(130, 185, 240), PaintedBy(theDrawingCache.m_brHalftone));
    // A channel moving down rounds towards the face colour, as integer division does.
    SetFaceAndHighlight(RGB(201, 100, 50), RGB(100, 201, 250));
    EXPECT_EQ(RGB(151, 150, 150), PaintedBy(theDrawingCache.m_brHalftone));
}

TEST_F(DrawingCacheTest, FontsDeriveFromTheMenuFont)
{
    CQENDrawingCache& cache = theDrawingCache;
    NONCLIENTMETRICSA metrics = Metrics();
    LOGFONTA lfMenu = LogFontOf(cache.m_fontMenu);
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, lfMenu.lfHeight);
    EXPECT_EQ(metrics.lfMenuFont.lfWeight, lfMenu.lfWeight);
    EXPECT_EQ(metrics.lfStatusFont.lfWeight, LogFontOf(cache.m_fontStatus).lfWeight);
    EXPECT_EQ(FW_BOLD, LogFontOf(cache.m_fontMenuBold).lfWeight);
    EXPECT_EQ(0, LogFontOf(cache.m_fontMenuBold).lfUnderline);
    EXPECT_EQ(1, LogFontOf(cache.m_fontMenuUnderline).lfUnderline);
    EXPECT_EQ(lfMenu.lfWeight, LogFontOf(cache.m_fontMenuUnderline).lfWeight);

    LOGFONTA lfGlyphs = LogFontOf(cache.m_fontGlyphs);
    EXPECT_STREQ("Marlett", lfGlyphs.lfFaceName);
    EXPECT_EQ(SYMBOL_CHARSET, lfGlyphs.lfCharSet);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, lfGlyphs.lfHeight);

    LOGFONTA lfGui = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lfGui, &lfGui);
    LOGFONTA lfDown = LogFontOf(cache.m_fontVertical270);
    EXPECT_EQ(2700, lfDown.lfEscapement);
    EXPECT_EQ(900, lfDown.lfOrientation);
    EXPECT_EQ(900, LogFontOf(cache.m_fontVertical90).lfEscapement);
    EXPECT_STREQ("Arial", lfDown.lfFaceName);
    EXPECT_EQ(lfGui.lfHeight, lfDown.lfHeight);

    EXPECT_EQ(TextHeightOf(cache.m_fontMenu) + 2, cache.m_nMenuTextHeight);
    EXPECT_EQ(TextHeightOf(cache.m_fontVertical270) + 2, cache.m_nVerticalTextHeight);
}

TEST_F(DrawingCacheTest, WesternMenuFontGivesWayToTheLibrarysFaceAndAChineseOneStays)
{
    SetMenuFont(ANSI_CHARSET, "Courier New");
    LOGFONTA lf = LogFontOf(theDrawingCache.m_fontMenu);
    EXPECT_EQ(-15, lf.lfHeight);
    const char* pszWanted = IsInstalled("Tahoma") ? "Tahoma" : "MS Sans Serif";
    EXPECT_STREQ(pszWanted, lf.lfFaceName);
    EXPECT_STREQ(pszWanted, LogFontOf(theDrawingCache.m_fontMenuBold).lfFaceName);
    {
        CClientDC dc(NULL);
        EXPECT_EQ(::GetTextCharsetInfo(dc.m_hDC, NULL, 0), lf.lfCharSet);
    }
    SetMenuFont(GB2312_CHARSET, "宋体");
    EXPECT_STREQ("宋体", LogFontOf(theDrawingCache.m_fontMenu).lfFaceName);
    EXPECT_STREQ("宋体", LogFontOf(theDrawingCache.m_fontStatus).lfFaceName);
}

TEST_F(DrawingCacheTest, ReleaseKeepsOnlySystemBrushesAndTheGlyphFont)
{
    CQENDrawingCache& cache = theDrawingCache;
    HGDIOBJ hOwned[] = {cache.m_brHalftone.m_hObject, cache.m_fontMenu.m_hObject, cache.m_fontStatus.m_hObject,
                        cache.m_fontMenuBold.m_hObject, cache.m_fontMenuUnderline.m_hObject,
                        cache.m_fontVertical270.m_hObject, cache.m_fontVertical90.m_hObject};
    cache.ReleaseResources();
    for (HGDIOBJ hObject : hOwned)
        EXPECT_EQ(0, ::GetObjectType(hObject));
    EXPECT_EQ(nullptr, cache.m_fontMenu.m_hObject);
    EXPECT_NE(nullptr, cache.m_fontGlyphs.m_hObject);
    EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(cache.m_brFace.m_hObject));
}

TEST_F(DrawingCacheTest, SmallIconIsLoadedOnceAtTheSmallSize)
{
    HICON hIcon = theDrawingCache.SharedSmallIcon();
    ASSERT_NE(nullptr, hIcon);
    EXPECT_EQ(hIcon, theDrawingCache.SharedSmallIcon());
    ICONINFO info;
    ASSERT_TRUE(::GetIconInfo(hIcon, &info));
    BITMAP bm = {};
    ::GetObjectA(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), bm.bmWidth);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

} // namespace
