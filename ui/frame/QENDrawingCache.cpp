#include "QENDrawingCache.h"

const TCHAR CQENDrawingCache::s_szTahoma[] = "Tahoma";
const TCHAR CQENDrawingCache::s_szMSSansSerif[] = "MS Sans Serif";
const TCHAR CQENDrawingCache::s_szArial[] = "Arial";
const TCHAR CQENDrawingCache::s_szMarlett[] = "Marlett";

CQENDrawingCache theDrawingCache;

namespace {

const COLORREF kHotTextColour = RGB(0, 0, 255);

// The non-client metrics as every version of the system fills them (without the padded border).
const UINT kNonClientMetricsSize = 340;
static_assert(offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth) == kNonClientMetricsSize,
              "unexpected NONCLIENTMETRICSA layout");

// An 8 x 8 one-bit image with its colour table, as a packed DIB for a pattern brush.
struct CheckerboardDib
{
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
    DWORD rows[8];
};

RGBQUAD ToRgbQuad(COLORREF cr)
{
    RGBQUAD quad = {GetBValue(cr), GetGValue(cr), GetRValue(cr), 0};
    return quad;
}

BYTE Halfway(BYTE from, BYTE to)
{
    return (BYTE)(from + (to - from) / 2);
}

int CALLBACK StopAtTahoma(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    if (lstrcmpiA(pLogFont->lfFaceName, CQENDrawingCache::s_szTahoma) != 0)
        return 1;
    *reinterpret_cast<bool*>(lParam) = true;
    return 0;
}

bool IsTahomaInstalled(CDC& dc)
{
    bool bFound = false;
    ::EnumFontFamiliesA(dc.GetSafeHdc(), NULL, StopAtTahoma, reinterpret_cast<LPARAM>(&bFound));
    return bFound;
}

// The height of the font's characters in dc, plus the two pixels bars leave around text.
int TextHeight(CDC& dc, CFont& font)
{
    CFont* pOldFont = font.GetSafeHandle() != NULL ? dc.SelectObject(&font) : NULL;
    TEXTMETRICA tm;
    memset(&tm, 0, sizeof tm);
    dc.GetTextMetrics(&tm);
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
    return tm.tmHeight + 2;
}

bool IsOldNT()
{
    OSVERSIONINFOA version;
    memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    return ::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion < 5;
}

} // namespace

CQENDrawingCache::CQENDrawingCache()
    : m_hbrHighlightSys(NULL),
      m_hbrShadowSys(NULL),
      m_bOldNT(FALSE),
      m_nScreenBits(0),
      m_nMenuTextHeight(0),
      m_nVerticalTextHeight(0),
      m_pfnColoursRefreshed(NULL),
      m_hSmallIcon(NULL)
{
    RefreshColours();
    RefreshFonts();
    m_bOldNT = IsOldNT();
}

void CQENDrawingCache::RefreshColours()
{
    m_crFace = ::GetSysColor(COLOR_BTNFACE);
    m_crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_crText = ::GetSysColor(COLOR_BTNTEXT);
    m_crFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    m_crDarkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_crLight = ::GetSysColor(COLOR_3DLIGHT);
    m_crGreyText = ::GetSysColor(COLOR_GRAYTEXT);
    m_crSelection = ::GetSysColor(COLOR_HIGHLIGHT);
    m_crSelectionText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_crHotText = kHotTextColour;

    m_hbrShadowSys = ::GetSysColorBrush(COLOR_BTNSHADOW);
    m_hbrHighlightSys = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    m_brFace.Detach();
    m_brFace.Attach(::GetSysColorBrush(COLOR_BTNFACE));
    m_brSelection.Detach();
    m_brSelection.Attach(::GetSysColorBrush(COLOR_HIGHLIGHT));
    m_brDarkShadow.Detach();
    m_brDarkShadow.Attach(::GetSysColorBrush(COLOR_3DDKSHADOW));

    {
        CClientDC dcScreen(NULL);
        m_nScreenBits = dcScreen.GetDeviceCaps(BITSPIXEL);
    }
    m_brHalftone.DeleteObject();

    if (m_nScreenBits <= 8)
    {
        // A one-pixel checkerboard of face and highlight: a palette display cannot mix them.
        CheckerboardDib dib;
        memset(&dib, 0, sizeof dib);
        dib.header.biSize = sizeof dib.header;
        dib.header.biWidth = 8;
        dib.header.biHeight = 8;
        dib.header.biPlanes = 1;
        dib.header.biBitCount = 1;
        dib.header.biCompression = BI_RGB;
        dib.header.biClrUsed = 2;
        dib.colours[0] = ToRgbQuad(m_crFace);
        dib.colours[1] = ToRgbQuad(m_crHighlight);
        for (int nRow = 0; nRow < 8; nRow++)
            dib.rows[nRow] = (nRow % 2 == 0) ? 0x5555AAAA : 0xAAAA5555;
        LOGBRUSH lb = {BS_DIBPATTERNPT, DIB_RGB_COLORS, reinterpret_cast<ULONG_PTR>(&dib)};
        m_brHalftone.CreateBrushIndirect(&lb);
    }
    else
    {
        m_brHalftone.CreateSolidBrush(RGB(Halfway(GetRValue(m_crFace), GetRValue(m_crHighlight)),
                                          Halfway(GetGValue(m_crFace), GetGValue(m_crHighlight)),
                                          Halfway(GetBValue(m_crFace), GetBValue(m_crHighlight))));
    }

    if (m_pfnColoursRefreshed != NULL)
        m_pfnColoursRefreshed();
}

void CQENDrawingCache::RefreshFonts()
{
    CFont* const fonts[] = {&m_fontMenu, &m_fontStatus, &m_fontMenuBold, &m_fontMenuUnderline,
                            &m_fontVertical270, &m_fontVertical90, &m_fontGlyphs};
    for (CFont* pFont : fonts)
        pFont->DeleteObject();

    NONCLIENTMETRICSA metrics;
    memset(&metrics, 0, sizeof metrics);
    metrics.cbSize = kNonClientMetricsSize;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0);

    CClientDC dcScreen(NULL);
    LOGFONTA lf;
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = metrics.lfMenuFont.lfHeight;
    lf.lfWeight = metrics.lfMenuFont.lfWeight;
    lf.lfItalic = metrics.lfMenuFont.lfItalic;
    lf.lfCharSet = (BYTE)::GetTextCharsetInfo(dcScreen.GetSafeHdc(), NULL, 0);

    // A Western menu font gives way to the library's own face; any other keeps its face and script.
    BYTE nMenuCharSet = metrics.lfMenuFont.lfCharSet;
    if (nMenuCharSet == ANSI_CHARSET || nMenuCharSet == DEFAULT_CHARSET || nMenuCharSet == SYMBOL_CHARSET)
        lstrcpyA(lf.lfFaceName, IsTahomaInstalled(dcScreen) ? s_szTahoma : s_szMSSansSerif);
    else
        lstrcpynA(lf.lfFaceName, metrics.lfMenuFont.lfFaceName, LF_FACESIZE);

    m_fontMenu.CreateFontIndirect(&lf);

    lf.lfWeight = metrics.lfStatusFont.lfWeight;
    lf.lfItalic = metrics.lfStatusFont.lfItalic;
    m_fontStatus.CreateFontIndirect(&lf);

    lf.lfWeight = metrics.lfMenuFont.lfWeight;
    lf.lfItalic = metrics.lfMenuFont.lfItalic;
    lf.lfUnderline = TRUE;
    m_fontMenuUnderline.CreateFontIndirect(&lf);

    lf.lfUnderline = FALSE;
    lf.lfWeight = FW_BOLD;
    m_fontMenuBold.CreateFontIndirect(&lf);

    LOGFONTA lfGlyphs = lf;
    lfGlyphs.lfCharSet = SYMBOL_CHARSET;
    lfGlyphs.lfWeight = 0;
    lfGlyphs.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    lstrcpyA(lfGlyphs.lfFaceName, s_szMarlett);
    m_fontGlyphs.CreateFontIndirect(&lfGlyphs);

    // The stock font keeps its script, so Chinese captions of vertical bars still find their glyphs.
    LOGFONTA lfVertical;
    if (::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lfVertical, &lfVertical) != 0)
    {
        lstrcpyA(lfVertical.lfFaceName, s_szArial);
        lfVertical.lfOrientation = 900;
        lfVertical.lfEscapement = 2700;
        m_fontVertical270.CreateFontIndirect(&lfVertical);
        lfVertical.lfEscapement = 900;
        m_fontVertical90.CreateFontIndirect(&lfVertical);
    }

    m_nMenuTextHeight = TextHeight(dcScreen, m_fontMenu);
    m_nVerticalTextHeight = TextHeight(dcScreen, m_fontVertical270);
}

void CQENDrawingCache::ReleaseResources()
{
    m_brHalftone.DeleteObject();
    CFont* const fonts[] = {&m_fontMenu, &m_fontStatus, &m_fontMenuBold, &m_fontMenuUnderline,
                            &m_fontVertical270, &m_fontVertical90};
    for (CFont* pFont : fonts)
        pFont->DeleteObject();
}

HICON CQENDrawingCache::SharedSmallIcon()
{
    if (m_hSmallIcon == NULL)
    {
        m_hSmallIcon = (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(s_nSmallIconResource),
                                           IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                           ::GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    }
    return m_hSmallIcon;
}
