#include "QENButtonImageList.h"
#include "QENDrawHelper.h"
#include "QENDrawingCache.h"
#include "QENVisualManager.h"

#include <vector>

CDC CQENButtonImageList::s_dcStrip;
CDC CQENButtonImageList::s_dcMask;

namespace {

// Where the monochrome source is 0 the brush is drawn, where it is 1 the destination stays.
const DWORD kRopBrushWhereZero = 0x00B8074A;
// Where the monochrome source is 1 the brush is drawn, where it is 0 the destination stays.
const DWORD kRopBrushWhereOne = 0x00E20746;
// The destination where the source is 0, black where it is 1.
const DWORD kRopClearWhereOne = 0x00220326;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// The classic button colours and the system colours they are shown in. The loader maps the palette
// of a palette bitmap for dark grey, light grey and the 3D light grey; deeper bitmaps are mapped here
// for black, dark grey, light grey and white.
const COLORREF kClassic[] = {RGB(0, 0, 0), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 255),
                             RGB(223, 223, 223)};
const int kSystemColourOf[] = {COLOR_BTNTEXT, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT};
const bool kMappedByLoader[] = {false, true, true, false, true};
const bool kMappedInPixels[] = {true, true, true, true, false};

const UINT kLoadFlags = LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS;

BOOL DibSectionOf(HBITMAP hBitmap, DIBSECTION& dib)
{
    return ::GetObject(hBitmap, sizeof dib, &dib) == sizeof dib;
}

int RowBytes(int cx, int nBits)
{
    return (cx * nBits + 31) / 32 * 4;
}

COLORREF SwappedRedBlue(COLORREF cr)
{
    return RGB(GetBValue(cr), GetGValue(cr), GetRValue(cr));
}

// The first of the colours equal to cr, -1 when none is.
int IndexOf(COLORREF cr, const COLORREF* pColours, int nColours)
{
    for (int i = 0; i < nColours; i++)
    {
        if (pColours[i] == cr)
            return i;
    }
    return -1;
}

void MapQuads(RGBQUAD* pQuads, int nQuads, const COLORREF* pFrom, const COLORREF* pTo, int nColours)
{
    for (int i = 0; i < nQuads; i++)
    {
        int iColour = IndexOf(RGB(pQuads[i].rgbRed, pQuads[i].rgbGreen, pQuads[i].rgbBlue), pFrom, nColours);
        if (iColour >= 0)
        {
            pQuads[i].rgbRed = GetRValue(pTo[iColour]);
            pQuads[i].rgbGreen = GetGValue(pTo[iColour]);
            pQuads[i].rgbBlue = GetBValue(pTo[iColour]);
        }
    }
}

// Rows of 24-bit pixels (blue, green, red).
void MapPixels24(BYTE* pBits, int nRowBytes, int cx, int cy, const COLORREF* pFrom, const COLORREF* pTo,
                 int nColours)
{
    for (int y = 0; y < cy; y++)
    {
        BYTE* pPixel = pBits + y * nRowBytes;
        for (int x = 0; x < cx; x++, pPixel += 3)
        {
            int iColour = IndexOf(RGB(pPixel[2], pPixel[1], pPixel[0]), pFrom, nColours);
            if (iColour >= 0)
            {
                pPixel[0] = GetBValue(pTo[iColour]);
                pPixel[1] = GetGValue(pTo[iColour]);
                pPixel[2] = GetRValue(pTo[iColour]);
            }
        }
    }
}

// A bitmap selected into a memory device context of its own while the object lives.
class CSelectedBitmap
{
public:
    explicit CSelectedBitmap(HBITMAP hBitmap)
    {
        if (m_dc.CreateCompatibleDC(NULL))
            m_hOld = m_dc.SelectObject(static_cast<HGDIOBJ>(hBitmap));
    }
    ~CSelectedBitmap()
    {
        if (m_hOld != NULL)
            m_dc.SelectObject(m_hOld);
    }
    CSelectedBitmap(const CSelectedBitmap&) = delete;
    CSelectedBitmap& operator=(const CSelectedBitmap&) = delete;

    BOOL IsReady() const { return m_hOld != NULL; }
    CDC* DC() { return &m_dc; }

private:
    CDC m_dc;
    HGDIOBJ m_hOld = NULL;
};

// A bottom-up DIB section of 24 bits per pixel.
HBITMAP CreateStripBitmap(int cx, int cy)
{
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* pvBits = NULL;
    return ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pvBits, NULL, 0);
}

BOOL CopyBitmap(HBITMAP hTarget, int xTarget, HBITMAP hSource, int cx, int cy)
{
    CSelectedBitmap target(hTarget);
    CSelectedBitmap source(hSource);
    return target.IsReady() && source.IsReady() &&
           target.DC()->BitBlt(xTarget, 0, cx, cy, source.DC(), 0, 0, SRCCOPY);
}

// The bitmap as a 24-bit DIB section; NULL when it cannot be made.
HBITMAP ConvertedTo24Bits(HBITMAP hBitmap)
{
    BITMAP bm;
    if (::GetObject(hBitmap, sizeof bm, &bm) == 0)
        return NULL;
    HBITMAP hConverted = CreateStripBitmap(bm.bmWidth, bm.bmHeight);
    if (hConverted != NULL && !CopyBitmap(hConverted, 0, hBitmap, bm.bmWidth, bm.bmHeight))
    {
        ::DeleteObject(hConverted);
        hConverted = NULL;
    }
    return hConverted;
}

BOOL RemapBitmapColours(HBITMAP hBitmap, const COLORREF* pFrom, const COLORREF* pTo, int nColours)
{
    DIBSECTION dib;
    if (!DibSectionOf(hBitmap, dib))
        return FALSE;
    if (dib.dsBmih.biBitCount <= 8)
    {
        CSelectedBitmap selected(hBitmap);
        RGBQUAD quads[256];
        UINT nQuads = selected.IsReady() ? ::GetDIBColorTable(selected.DC()->GetSafeHdc(), 0, 256, quads) : 0;
        if (nQuads == 0)
            return FALSE;
        MapQuads(quads, (int)nQuads, pFrom, pTo, nColours);
        return ::SetDIBColorTable(selected.DC()->GetSafeHdc(), 0, nQuads, quads) == nQuads;
    }
    if (dib.dsBmih.biBitCount != 24 || dib.dsBm.bmBits == NULL)
        return FALSE;
    ::GdiFlush();
    MapPixels24(static_cast<BYTE*>(dib.dsBm.bmBits), dib.dsBm.bmWidthBytes, dib.dsBm.bmWidth, dib.dsBm.bmHeight,
                pFrom, pTo, nColours);
    return TRUE;
}

// The colours in mappedTo that are set, and what they become.
int MappingPairs(const COLORREF* pMappedTo, const COLORREF* pTargets, COLORREF* pFrom, COLORREF* pTo, int nColours)
{
    int nPairs = 0;
    for (int i = 0; i < nColours; i++)
    {
        if (pMappedTo[i] == CLR_NONE)
            continue;
        pFrom[nPairs] = pMappedTo[i];
        pTo[nPairs] = pTargets[i];
        nPairs++;
    }
    return nPairs;
}

// The classic colours this library maps in the pixels of deep bitmaps, and the system colours for them.
int PixelMapping(const COLORREF* pSystem, COLORREF* pFrom, COLORREF* pTo)
{
    int nPairs = 0;
    for (int i = 0; i < (int)(sizeof kClassic / sizeof kClassic[0]); i++)
    {
        if (!kMappedInPixels[i])
            continue;
        pFrom[nPairs] = kClassic[i];
        pTo[nPairs++] = pSystem[i];
    }
    return nPairs;
}

CString ProgramFolder()
{
    TCHAR szPath[MAX_PATH];
    DWORD nLength = ::GetModuleFileName(NULL, szPath, MAX_PATH);
    CString strPath(szPath, nLength < MAX_PATH ? (int)nLength : 0);
    return strPath.Left(strPath.ReverseFind('\\') + 1);
}

CString FullPath(const CString& strName)
{
    TCHAR szPath[MAX_PATH];
    DWORD nLength = ::GetFullPathName(strName, MAX_PATH, szPath, NULL);
    return nLength == 0 || nLength >= MAX_PATH ? strName : CString(szPath);
}

} // namespace

CQENButtonImageList::CQENButtonImageList()
    : m_sizeImage(16, 15),
      m_sizeDraw(0, 0),
      m_hbmStrip(NULL),
      m_hInstance(NULL),
      m_bFromFile(FALSE),
      m_bModified(FALSE),
      m_nCount(0),
      m_ResourceIds(10),
      m_resourceOffsetMap(10),
      m_bReadOnly(FALSE),
      m_hbmOld(NULL),
      m_crTransparent(CLR_NONE),
      m_bFileReadOnly(FALSE),
      m_bStretch(FALSE)
{
    m_resourceOffsetMap.InitHashTable(17);
    for (COLORREF& cr : m_crMappedTo)
        cr = CLR_NONE;
}

CQENButtonImageList::~CQENButtonImageList()
{
    Clear();
}

void CQENButtonImageList::SetImageSize(CSize sizeImage)
{
    if (sizeImage.cx < 1 || sizeImage.cy < 1)
        return;
    m_sizeImage = sizeImage;
    BITMAP bm;
    m_nCount = m_hbmStrip != NULL && ::GetObject(m_hbmStrip, sizeof bm, &bm) != 0 ? bm.bmWidth / m_sizeImage.cx : 0;
}

void CQENButtonImageList::CurrentMappedColours(COLORREF (&crColours)[kClassicColours])
{
    for (int i = 0; i < kClassicColours; i++)
        crColours[i] = ::GetSysColor(kSystemColourOf[i]);
}

BOOL CQENButtonImageList::MapLoadedColours(HBITMAP& hBitmap, COLORREF (&crMappedTo)[kClassicColours])
{
    COLORREF crSystem[kClassicColours];
    CurrentMappedColours(crSystem);
    DIBSECTION dib;
    if (DibSectionOf(hBitmap, dib) && dib.dsBmih.biBitCount <= 8)
    {
        for (int i = 0; i < kClassicColours; i++)
            crMappedTo[i] = kMappedByLoader[i] ? crSystem[i] : CLR_NONE;
        return TRUE;
    }
    if (!DibSectionOf(hBitmap, dib) || dib.dsBmih.biBitCount != 24)
    {
        HBITMAP hConverted = ConvertedTo24Bits(hBitmap);
        if (hConverted == NULL)
            return FALSE;
        ::DeleteObject(hBitmap);
        hBitmap = hConverted;
    }
    COLORREF crFrom[kClassicColours], crTo[kClassicColours];
    int nPairs = PixelMapping(crSystem, crFrom, crTo);
    for (int i = 0; i < kClassicColours; i++)
        crMappedTo[i] = kMappedInPixels[i] ? crSystem[i] : CLR_NONE;
    return RemapBitmapColours(hBitmap, crFrom, crTo, nPairs);
}

HBITMAP CQENButtonImageList::LoadMappedBitmap(HINSTANCE hInstance, LPCTSTR lpszName, UINT nFlags,
                                              COLORREF (&crMappedTo)[kClassicColours])
{
    HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImage(hInstance, lpszName, IMAGE_BITMAP, 0, 0, nFlags));
    if (hBitmap != NULL && !MapLoadedColours(hBitmap, crMappedTo))
    {
        ::DeleteObject(hBitmap);
        hBitmap = NULL;
    }
    return hBitmap;
}

BOOL CQENButtonImageList::Load(UINT nResourceId, HINSTANCE hInstance, BOOL bAppend)
{
    int iOffset;
    if (m_bReadOnly)
        return FALSE;
    if (bAppend && m_resourceOffsetMap.Lookup(nResourceId, iOffset))
        return TRUE;
    if (hInstance == NULL)
        hInstance = AfxGetResourceHandle();
    COLORREF crMappedTo[kClassicColours];
    HBITMAP hBitmap = LoadMappedBitmap(hInstance, MAKEINTRESOURCE(nResourceId), kLoadFlags, crMappedTo);
    if (hBitmap == NULL)
        return FALSE;
    if (bAppend)
    {
        iOffset = AppendBitmap(hBitmap);
        ::DeleteObject(hBitmap);
        if (iOffset < 0)
            return FALSE;
    }
    else
    {
        Clear();
        SetStrip(hBitmap);
        iOffset = 0;
        memcpy(m_crMappedTo, crMappedTo, sizeof m_crMappedTo);
    }
    m_resourceOffsetMap.SetAt(nResourceId, iOffset);
    m_ResourceIds.AddTail(nResourceId);
    m_hInstance = hInstance;
    return TRUE;
}

BOOL CQENButtonImageList::LoadFromFile(LPCTSTR lpszFileName)
{
    if (m_bReadOnly || lpszFileName == NULL || *lpszFileName == '\0')
        return FALSE;
    CString strName(lpszFileName);
    if (strName.FindOneOf("\\/") < 0)
        strName = ProgramFolder() + strName;
    strName = FullPath(strName);
    COLORREF crMappedTo[kClassicColours];
    HBITMAP hBitmap = LoadMappedBitmap(NULL, strName, kLoadFlags | LR_LOADFROMFILE, crMappedTo);
    if (hBitmap == NULL)
        return FALSE;
    Clear();
    SetStrip(hBitmap);
    memcpy(m_crMappedTo, crMappedTo, sizeof m_crMappedTo);
    m_bFromFile = TRUE;
    m_strFileName = strName;
    DWORD dwAttributes = ::GetFileAttributes(strName);
    m_bFileReadOnly = dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    return TRUE;
}

void CQENButtonImageList::SetStrip(HBITMAP hStrip)
{
    DeleteStrip();
    m_hbmStrip = hStrip;
    SetImageSize(m_sizeImage);
}

void CQENButtonImageList::DeleteStrip()
{
    if (m_hbmStrip != NULL && !m_bReadOnly)
        ::DeleteObject(m_hbmStrip);
    m_hbmStrip = NULL;
    m_nCount = 0;
}

int CQENButtonImageList::AppendBitmap(HBITMAP hBitmap)
{
    BITMAP bmNew, bmOld;
    if (m_bReadOnly || hBitmap == NULL || ::GetObject(hBitmap, sizeof bmNew, &bmNew) == 0)
        return -1;
    int nOldWidth = 0;
    if (m_hbmStrip != NULL && ::GetObject(m_hbmStrip, sizeof bmOld, &bmOld) != 0)
    {
        if (bmOld.bmHeight != bmNew.bmHeight)
            return -1;
        nOldWidth = bmOld.bmWidth;
    }
    HBITMAP hNewStrip = CreateStripBitmap(nOldWidth + bmNew.bmWidth, bmNew.bmHeight);
    if (hNewStrip == NULL)
        return -1;
    if ((nOldWidth > 0 && !CopyBitmap(hNewStrip, 0, m_hbmStrip, nOldWidth, bmNew.bmHeight)) ||
        !CopyBitmap(hNewStrip, nOldWidth, hBitmap, bmNew.bmWidth, bmNew.bmHeight))
    {
        ::DeleteObject(hNewStrip);
        return -1;
    }
    SetStrip(hNewStrip);
    return nOldWidth / m_sizeImage.cx;
}

int CQENButtonImageList::AddImage(HBITMAP hBitmap)
{
    int iFirst = AppendBitmap(hBitmap);
    if (iFirst >= 0)
        m_bModified = TRUE;
    return iFirst;
}

int CQENButtonImageList::AddBlankImages(int nCount)
{
    if (nCount < 1)
        return -1;
    CClientDC dcScreen(NULL);
    CDC dc;
    if (!dc.CreateCompatibleDC(&dcScreen))
        return -1;
    const int nWidth = nCount * m_sizeImage.cx;
    HBITMAP hBlank = ::CreateCompatibleBitmap(dcScreen.m_hDC, nWidth, m_sizeImage.cy);
    if (hBlank == NULL)
        return -1;
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBlank);
    dc.FillSolidRect(0, 0, nWidth, m_sizeImage.cy, ::GetSysColor(COLOR_BTNFACE));
    ::SelectObject(dc.m_hDC, hOld);
    const int iFirst = AddImage(hBlank);
    ::DeleteObject(hBlank);
    return iFirst;
}

BOOL CQENButtonImageList::UpdateImage(int nImage, HBITMAP hBitmap)
{
    BITMAP bm;
    if (m_bReadOnly || !m_bFromFile || nImage < 0 || nImage >= m_nCount || hBitmap == NULL ||
        ::GetObject(hBitmap, sizeof bm, &bm) == 0 || bm.bmWidth != m_sizeImage.cx || bm.bmHeight != m_sizeImage.cy)
        return FALSE;
    DIBSECTION dib;
    if (!DibSectionOf(m_hbmStrip, dib) || dib.dsBmih.biBitCount != 24)
    {
        // A palette strip could not hold the new image's colours.
        HBITMAP hConverted = ConvertedTo24Bits(m_hbmStrip);
        if (hConverted == NULL)
            return FALSE;
        SetStrip(hConverted);
    }
    if (!CopyBitmap(m_hbmStrip, nImage * m_sizeImage.cx, hBitmap, m_sizeImage.cx, m_sizeImage.cy))
        return FALSE;
    m_bModified = TRUE;
    return TRUE;
}

void CQENButtonImageList::Clear()
{
    DeleteStrip();
    m_ResourceIds.RemoveAll();
    m_resourceOffsetMap.RemoveAll();
    m_hInstance = NULL;
    m_bFromFile = FALSE;
    m_strFileName.Empty();
    m_bModified = FALSE;
    m_bFileReadOnly = FALSE;
    m_bReadOnly = FALSE;
    for (COLORREF& cr : m_crMappedTo)
        cr = CLR_NONE;
}

BOOL CQENButtonImageList::Reload()
{
    if (m_bReadOnly)
        return FALSE;
    if (m_hbmStrip == NULL)
        return TRUE;
    if (m_bFromFile)
    {
        COLORREF crSystem[kClassicColours], crFrom[kClassicColours], crTo[kClassicColours];
        CurrentMappedColours(crSystem);
        int nPairs = MappingPairs(m_crMappedTo, crSystem, crFrom, crTo, kClassicColours);
        if (!RemapBitmapColours(m_hbmStrip, crFrom, crTo, nPairs))
            return FALSE;
        for (int i = 0; i < kClassicColours; i++)
        {
            if (m_crMappedTo[i] != CLR_NONE)
                m_crMappedTo[i] = crSystem[i];
        }
        return TRUE;
    }
    // Loaded again in the same order and padded where they were, the resources keep their offsets.
    CQENButtonImageList reloaded;
    reloaded.m_sizeImage = m_sizeImage;
    for (POSITION pos = m_ResourceIds.GetHeadPosition(); pos != NULL;)
    {
        const UINT nId = m_ResourceIds.GetNext(pos);
        int iOffset = 0;
        m_resourceOffsetMap.Lookup(nId, iOffset);
        if (iOffset > reloaded.m_nCount && reloaded.AddBlankImages(iOffset - reloaded.m_nCount) < 0)
            return FALSE;
        if (!reloaded.Load(nId, m_hInstance, TRUE))
            return FALSE;
    }
    if (reloaded.m_hbmStrip == NULL)
        return FALSE;
    SetStrip(reloaded.m_hbmStrip);
    reloaded.m_hbmStrip = NULL;
    return TRUE;
}

void CQENButtonImageList::CopyTo(CQENButtonImageList& target)
{
    if (&target == this)
        return;
    target.Clear();
    target.m_sizeImage = m_sizeImage;
    target.m_hbmStrip = m_hbmStrip;
    target.m_nCount = m_nCount;
    target.m_hInstance = m_hInstance;
    target.m_crTransparent = m_crTransparent;
    target.m_ResourceIds.AddTail(&m_ResourceIds);
    for (POSITION pos = m_resourceOffsetMap.GetStartPosition(); pos != NULL;)
    {
        UINT nId;
        int iOffset;
        m_resourceOffsetMap.GetNextAssoc(pos, nId, iOffset);
        target.m_resourceOffsetMap.SetAt(nId, iOffset);
    }
    target.m_bReadOnly = TRUE;
}

BOOL CQENButtonImageList::MapToSystemColours(BOOL bRGBQuadOrder, COLORREF crSource, COLORREF crTarget)
{
    if (m_bReadOnly || m_hbmStrip == NULL || (crSource != CLR_NONE && crTarget == CLR_NONE))
        return FALSE;
    COLORREF crSystem[kClassicColours], crFrom[kClassicColours], crTo[kClassicColours];
    CurrentMappedColours(crSystem);
    int nPairs = 1;
    if (crSource != CLR_NONE)
    {
        crFrom[0] = crSource;
        crTo[0] = crTarget;
    }
    else
    {
        nPairs = PixelMapping(crSystem, crFrom, crTo);
    }
    if (!bRGBQuadOrder)
    {
        for (int i = 0; i < nPairs; i++)
        {
            crFrom[i] = SwappedRedBlue(crFrom[i]);
            crTo[i] = SwappedRedBlue(crTo[i]);
        }
    }
    if (!RemapBitmapColours(m_hbmStrip, crFrom, crTo, nPairs))
        return FALSE;
    if (crSource == CLR_NONE && bRGBQuadOrder)
    {
        for (int i = 0; i < kClassicColours; i++)
        {
            if (kMappedInPixels[i])
                m_crMappedTo[i] = crSystem[i];
        }
    }
    return TRUE;
}

BOOL CQENButtonImageList::Save(LPCTSTR lpszFileName)
{
    if (!m_bFromFile || m_hbmStrip == NULL || m_bFileReadOnly || m_bReadOnly)
        return FALSE;
    CString strTarget = lpszFileName == NULL || *lpszFileName == '\0' ? m_strFileName : FullPath(lpszFileName);
    if (!m_bModified && strTarget.CompareNoCase(m_strFileName) == 0)
        return TRUE;
    std::vector<BYTE> file;
    if (!PackStrip(file) || !ReplaceFile(strTarget, file))
        return FALSE;
    m_bModified = FALSE;
    return TRUE;
}

BOOL CQENButtonImageList::PackStrip(std::vector<BYTE>& file) const
{
    DIBSECTION dib;
    if (!DibSectionOf(m_hbmStrip, dib) || dib.dsBm.bmBits == NULL)
        return FALSE;
    const int nBits = dib.dsBmih.biBitCount;
    const int cx = dib.dsBm.bmWidth, cy = dib.dsBm.bmHeight;
    const int nRowBytes = RowBytes(cx, nBits);
    const int nQuads = nBits <= 8 ? 1 << nBits : 0;
    BITMAPINFOHEADER header;
    memset(&header, 0, sizeof header);
    header.biSize = sizeof header;
    header.biWidth = cx;
    header.biHeight = cy;
    header.biPlanes = 1;
    header.biBitCount = (WORD)nBits;
    header.biCompression = BI_RGB;
    header.biSizeImage = (DWORD)(nRowBytes * cy);
    const DWORD nDibBytes = sizeof header + nQuads * sizeof(RGBQUAD) + header.biSizeImage;
    BITMAPFILEHEADER fileHeader;
    fileHeader.bfType = 0x4D42;   // "BM"
    fileHeader.bfSize = nDibBytes + sizeof fileHeader;
    fileHeader.bfReserved1 = 0;
    fileHeader.bfReserved2 = 0;
    fileHeader.bfOffBits = sizeof header + nQuads * sizeof(RGBQUAD) + sizeof fileHeader;
    file.assign(fileHeader.bfSize, 0);
    memcpy(file.data(), &fileHeader, sizeof fileHeader);
    memcpy(file.data() + sizeof fileHeader, &header, sizeof header);

    // What the load mapped to system colours goes back to the classic colours.
    COLORREF crFrom[kClassicColours], crTo[kClassicColours];
    int nPairs = MappingPairs(m_crMappedTo, kClassic, crFrom, crTo, kClassicColours);
    RGBQUAD* pQuads = reinterpret_cast<RGBQUAD*>(file.data() + sizeof fileHeader + sizeof header);
    if (nQuads > 0)
    {
        CSelectedBitmap selected(m_hbmStrip);
        if (!selected.IsReady() || ::GetDIBColorTable(selected.DC()->GetSafeHdc(), 0, nQuads, pQuads) == 0)
            return FALSE;
        MapQuads(pQuads, nQuads, crFrom, crTo, nPairs);
    }
    BYTE* pBits = file.data() + fileHeader.bfOffBits;
    ::GdiFlush();
    const BYTE* pStripBits = static_cast<const BYTE*>(dib.dsBm.bmBits);
    const bool bTopDown = dib.dsBmih.biHeight < 0;
    for (int y = 0; y < cy; y++)
        memcpy(pBits + y * nRowBytes, pStripBits + (bTopDown ? cy - 1 - y : y) * dib.dsBm.bmWidthBytes, nRowBytes);
    if (nBits == 24)
        MapPixels24(pBits, nRowBytes, cx, cy, crFrom, crTo, nPairs);
    return TRUE;
}

// Written beside the target first, so that a failed write leaves the old file as it was.
BOOL CQENButtonImageList::ReplaceFile(const CString& strTarget, const std::vector<BYTE>& contents)
{
    // Not every file system refuses to move a file over a read-only one.
    DWORD dwAttributes = ::GetFileAttributes(strTarget);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return FALSE;
    CString strFolder = strTarget.Left(strTarget.ReverseFind('\\') + 1);
    TCHAR szTemporary[MAX_PATH];
    if (::GetTempFileName(strFolder.IsEmpty() ? "." : (LPCTSTR)strFolder, "QEN", 0, szTemporary) == 0)
        return FALSE;
    CFile file;
    BOOL bWritten = FALSE;
    if (file.Open(szTemporary, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
    {
        try
        {
            file.Write(contents.data(), (UINT)contents.size());
            file.Close();
            bWritten = TRUE;
        }
        catch (CException* e)
        {
            e->Delete();
            file.Abort();
        }
    }
    if (bWritten && ::MoveFileEx(szTemporary, strTarget, MOVEFILE_REPLACE_EXISTING))
        return TRUE;
    ::DeleteFile(szTemporary);
    return FALSE;
}

void CQENButtonImageList::EnsureSharedContexts()
{
    if (s_dcStrip.GetSafeHdc() == NULL && !s_dcStrip.CreateCompatibleDC(NULL))
        AfxThrowResourceException();
    if (s_dcMask.GetSafeHdc() == NULL && !s_dcMask.CreateCompatibleDC(NULL))
        AfxThrowResourceException();
}

void CQENButtonImageList::ReleaseSharedContexts()
{
    s_dcStrip.DeleteDC();
    s_dcMask.DeleteDC();
}

BOOL CQENButtonImageList::BeginStripDraw(QENStripDrawState& state, int cx, int cy)
{
    if (m_hbmStrip == NULL || m_sizeDraw.cx > 0)
        return FALSE;
    EnsureSharedContexts();
    state.hMask = ::CreateBitmap(m_sizeImage.cx + 2, m_sizeImage.cy + 2, 1, 1, NULL);
    state.hOldStrip = ::SelectObject(s_dcStrip.GetSafeHdc(), m_hbmStrip);
    state.hOldMask = state.hMask != NULL ? ::SelectObject(s_dcMask.GetSafeHdc(), state.hMask) : NULL;
    m_sizeDraw = cx < 1 || cy < 1 ? m_sizeImage : CSize(cx, cy);
    m_bStretch = m_sizeDraw != m_sizeImage;
    BOOL bReady = state.hOldStrip != NULL && state.hOldMask != NULL;
    if (bReady && (m_bStretch || m_crTransparent != CLR_NONE))
    {
        bReady = m_dcMem.CreateCompatibleDC(NULL) &&
                 m_bmpMem.Attach(CreateStripBitmap(m_sizeImage.cx + 2, m_sizeImage.cy + 2));
        m_hbmOld = bReady ? m_dcMem.SelectObject(static_cast<HGDIOBJ>(m_bmpMem.m_hObject)) : NULL;
        bReady = m_hbmOld != NULL;
    }
    if (!bReady)
        EndStripDraw(state);
    return bReady;
}

void CQENButtonImageList::EndStripDraw(QENStripDrawState& state)
{
    if (state.hOldStrip != NULL)
        ::SelectObject(s_dcStrip.GetSafeHdc(), state.hOldStrip);
    if (state.hOldMask != NULL)
        ::SelectObject(s_dcMask.GetSafeHdc(), state.hOldMask);
    if (state.hMask != NULL)
        ::DeleteObject(state.hMask);
    state = QENStripDrawState();
    if (m_hbmOld != NULL)
        m_dcMem.SelectObject(m_hbmOld);
    m_hbmOld = NULL;
    m_dcMem.DeleteDC();
    m_bmpMem.DeleteObject();
    m_sizeDraw = CSize(0, 0);
    m_bStretch = FALSE;
}

COLORREF CQENButtonImageList::BackgroundColour() const
{
    return m_crTransparent != CLR_NONE ? m_crTransparent : theDrawingCache.m_crFace;
}

void CQENButtonImageList::BuildMask(int nImage, BOOL bHighlightIsBackground)
{
    const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
    s_dcMask.PatBlt(0, 0, cx + 2, cy + 2, WHITENESS);
    COLORREF crOldBack = s_dcStrip.SetBkColor(BackgroundColour());
    s_dcMask.BitBlt(0, 0, cx, cy, &s_dcStrip, nImage * cx, 0, SRCCOPY);
    if (bHighlightIsBackground)
    {
        s_dcStrip.SetBkColor(theDrawingCache.m_crHighlight);
        s_dcMask.BitBlt(0, 0, cx, cy, &s_dcStrip, nImage * cx, 0, SRCPAINT);
    }
    s_dcStrip.SetBkColor(crOldBack);
}

void CQENButtonImageList::DrawMask(CDC* pTarget, int x, int y, HGDIOBJ hBrush, DWORD dwRop)
{
    pTarget->SelectObject(hBrush);
    pTarget->BitBlt(x, y, m_sizeImage.cx, m_sizeImage.cy, &s_dcMask, 0, 0, dwRop);
}

BOOL CQENButtonImageList::Draw(CDC* pDC, int x, int y, int nImage, BOOL bHighlighted, BOOL bDisabled,
                               BOOL bIndeterminate, BOOL bShadow)
{
    if (pDC == NULL || m_sizeDraw.cx <= 0 || nImage < 0 || nImage >= m_nCount)
        return FALSE;
    if (bShadow && theDrawingCache.m_nScreenBits <= 8)
        return TRUE;
    const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
    const BOOL bComposed = m_bStretch || m_crTransparent != CLR_NONE;
    CDC* pTarget = bComposed ? &m_dcMem : pDC;
    const int xAt = bComposed ? 0 : x, yAt = bComposed ? 0 : y;
    {
        CQENDCState dcState(pTarget);
        // Composed on the colour that is left out, so that only what the image draws is transferred.
        if (bComposed)
            m_dcMem.FillSolidRect(0, 0, cx + 2, cy + 2, BackgroundColour());
        if (!bDisabled && !bShadow && !(bHighlighted && !m_bStretch))
            pTarget->BitBlt(xAt, yAt, cx, cy, &s_dcStrip, nImage * cx, 0, SRCCOPY);
        if (bDisabled || bShadow || (bIndeterminate && !m_bStretch))
        {
            BuildMask(nImage, !bShadow);
            pTarget->SetBkColor(kWhite);
            pTarget->SetTextColor(bShadow ? theDrawingCache.m_crShadow : kBlack);
            if (bDisabled && CQENVisualManager::CurrentManager()->m_bEmbossDisabled)
                DrawMask(pTarget, xAt + 1, yAt + 1, theDrawingCache.m_hbrHighlightSys, kRopBrushWhereZero);
            DrawMask(pTarget, xAt, yAt, theDrawingCache.m_hbrShadowSys, kRopBrushWhereZero);
        }
        if ((bHighlighted || bIndeterminate) && !m_bStretch)
        {
            BuildMask(nImage, FALSE);
            pTarget->SetBkColor(kWhite);
            pTarget->SetTextColor(kBlack);
            DrawMask(pTarget, xAt, yAt, theDrawingCache.m_brHalftone.m_hObject, kRopBrushWhereOne);
        }
    }
    if (bComposed)
        TransferComposed(pDC, x, y);
    return TRUE;
}

// The composed image to (x, y) at the draw size, without the pixels of the background colour.
void CQENButtonImageList::TransferComposed(CDC* pDC, int x, int y)
{
    const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
    {
        CQENDCState memState(&m_dcMem);
        m_dcMem.SetBkColor(BackgroundColour());
        s_dcMask.BitBlt(0, 0, cx, cy, &m_dcMem, 0, 0, SRCCOPY);
        m_dcMem.SetBkColor(kWhite);
        m_dcMem.SetTextColor(kBlack);
        m_dcMem.BitBlt(0, 0, cx, cy, &s_dcMask, 0, 0, kRopClearWhereOne);
    }
    CQENDCState dcState(pDC);
    pDC->SetBkColor(kWhite);
    pDC->SetTextColor(kBlack);
    ::SetStretchBltMode(pDC->GetSafeHdc(), COLORONCOLOR);
    pDC->StretchBlt(x, y, m_sizeDraw.cx, m_sizeDraw.cy, &s_dcMask, 0, 0, cx, cy, SRCAND);
    pDC->StretchBlt(x, y, m_sizeDraw.cx, m_sizeDraw.cy, &m_dcMem, 0, 0, cx, cy, SRCPAINT);
}

BOOL CQENButtonImageList::PutImageOnClipboard(int nImage)
{
    CWnd* pOwner = AfxGetMainWnd();
    if (nImage < 0 || nImage >= m_nCount || pOwner == NULL || pOwner->GetSafeHwnd() == NULL)
        return FALSE;
    CBitmap bitmap;
    {
        CWindowDC dcScreen(NULL);
        CDC dcImage;
        if (!dcImage.CreateCompatibleDC(&dcScreen) ||
            !bitmap.CreateCompatibleBitmap(&dcScreen, m_sizeImage.cx, m_sizeImage.cy))
            return FALSE;
        CBitmap* pOld = dcImage.SelectObject(&bitmap);
        dcImage.FillSolidRect(0, 0, m_sizeImage.cx, m_sizeImage.cy, theDrawingCache.m_crFace);
        QENStripDrawState state;
        BOOL bDrawn = BeginStripDraw(state) && Draw(&dcImage, 0, 0, nImage);
        EndStripDraw(state);
        dcImage.SelectObject(pOld);
        if (!bDrawn)
            return FALSE;
    }
    if (!::OpenClipboard(pOwner->GetSafeHwnd()))
        return FALSE;
    BOOL bPlaced = ::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, bitmap.m_hObject) != NULL;
    ::CloseClipboard();
    if (bPlaced)
        bitmap.Detach();   // the clipboard owns it now
    return bPlaced;
}

int CQENButtonImageList::ResourceImageOffset(UINT nResourceId) const
{
    int iOffset;
    return m_resourceOffsetMap.Lookup(nResourceId, iOffset) ? iOffset : -1;
}
