// CGdiObject and its typed wrappers.
#include "GdiObject.h"
#include "DC.h"
#include "Exception.h"
#include "String.h"
#include <stdlib.h>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

typedef CThreadHandleMap<CGdiObject, HGDIOBJ> GdiObjectMaps;

// A temporary wrapper of the class that matches the object, so that the typed FromHandle casts and
// IsKindOf tell the truth.
CGdiObject* CreateTempGdiObject(HGDIOBJ hObject)
{
    CGdiObject* pObject;
    switch (::GetObjectType(hObject))
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        pObject = new CPen;
        break;
    case OBJ_BRUSH:
        pObject = new CBrush;
        break;
    case OBJ_FONT:
        pObject = new CFont;
        break;
    case OBJ_BITMAP:
        pObject = new CBitmap;
        break;
    case OBJ_REGION:
        pObject = new CRgn;
        break;
    default:
        pObject = new CGdiObject;
        break;
    }
    pObject->m_hObject = hObject;
    return pObject;
}

void DeleteTempGdiObject(CGdiObject* pObject)
{
    pObject->m_hObject = NULL;   // a temporary wrapper never owns its object
    delete pObject;
}

GdiObjectMaps::Map* GdiObjectMap()
{
    return GdiObjectMaps::Get(CreateTempGdiObject, DeleteTempGdiObject);
}

// Stock objects and system colour brushes belong to the system and are shared by every program.
bool IsSystemObject(HGDIOBJ hObject)
{
    for (int nIndex = WHITE_BRUSH; nIndex <= DC_PEN; ++nIndex)
    {
        if (::GetStockObject(nIndex) == hObject)
            return true;
    }
    if (::GetObjectType(hObject) == OBJ_BRUSH)
    {
        for (int nIndex = COLOR_SCROLLBAR; nIndex <= COLOR_MENUBAR; ++nIndex)
        {
            if (::GetSysColorBrush(nIndex) == hObject)
                return true;
        }
    }
    return false;
}

// The constructors of the framework report a failed creation as an exception.
void ThrowIfFailed(BOOL bCreated)
{
    if (!bCreated)
        AfxThrowResourceException();
}

} // namespace

// ---- CGdiObject ----

CGdiObject::CGdiObject() : m_hObject(NULL)
{
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    GdiObjectMaps::Map* pMap = GdiObjectMap();
    return pMap != NULL ? pMap->FromHandle(hObject) : NULL;
}

void PASCAL CGdiObject::DeleteTempMap()
{
    if (GdiObjectMaps::Map* pMap = GdiObjectMaps::Find())
        pMap->DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    return GdiObjectMaps::Map::Attach(GdiObjectMap(), this, m_hObject, hObject);
}

HGDIOBJ CGdiObject::Detach()
{
    return GdiObjectMaps::Map::Detach(GdiObjectMaps::Find(), this, m_hObject);
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    if (IsSystemObject(m_hObject))
    {
        Detach();
        return TRUE;
    }
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    ASSERT(m_hObject != NULL);
    return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject != NULL ? static_cast<UINT>(::GetObjectType(m_hObject)) : 0;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    ASSERT(m_hObject != NULL);
    return ::UnrealizeObject(m_hObject);
}

// ---- CPen ----

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    ThrowIfFailed(CreatePen(nPenStyle, nWidth, crColor));
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    ThrowIfFailed(CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    return Attach(::ExtCreatePen(static_cast<DWORD>(nPenStyle), static_cast<DWORD>(nWidth), pLogBrush,
                                 static_cast<DWORD>(nStyleCount), lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    return Attach(::CreatePenIndirect(lpLogPen));
}

// ---- CBrush ----

CBrush::CBrush(COLORREF crColor)
{
    ThrowIfFailed(CreateSolidBrush(crColor));
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    ThrowIfFailed(CreateHatchBrush(nIndex, crColor));
}

CBrush::CBrush(CBitmap* pBitmap)
{
    ThrowIfFailed(CreatePatternBrush(pBitmap));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle())));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return Attach(::GetSysColorBrush(nIndex));
}

// ---- CFont ----

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    return Attach(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                               cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                               lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont;
    memset(&logFont, 0, sizeof(logFont));
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    AfxCopyTextBounded(logFont.lfFaceName, LF_FACESIZE, lpszFaceName);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    HDC hScreenDC = NULL;
    HDC hDC = pDC != NULL ? pDC->m_hAttribDC : (hScreenDC = ::GetDC(NULL));

    // Tenths of a point to device pixels, then to logical units of the DC's mapping.
    POINT ptHeight = { 0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720) };
    POINT ptOrigin = { 0, 0 };
    ::DPtoLP(hDC, &ptHeight, 1);
    ::DPtoLP(hDC, &ptOrigin, 1);
    if (hScreenDC != NULL)
        ::ReleaseDC(NULL, hScreenDC);

    LOGFONT logFont = *lpLogFont;
    logFont.lfHeight = -abs(ptHeight.y - ptOrigin.y);   // negative: character height, not cell height
    return CreateFontIndirect(&logFont);
}

// ---- CBitmap ----

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    return Attach(::LoadBitmap(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
    return Attach(::LoadBitmap(NULL, MAKEINTRESOURCE(nIDBitmap)));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize)
{
    return Attach(::CreateMappedBitmap(AfxGetResourceHandle(), static_cast<INT_PTR>(nIDBitmap), nFlags,
                                       lpColorMap, nMapSize));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    return Attach(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = { 0, 0 };
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return size;
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    SIZE sizePrevious = { 0, 0 };
    ::SetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), nWidth, nHeight, &sizePrevious);
    return sizePrevious;
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    return static_cast<DWORD>(::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits));
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    return static_cast<DWORD>(::GetBitmapBits(static_cast<HBITMAP>(m_hObject), static_cast<LONG>(dwCount), lpBits));
}

// ---- CRgn ----

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return Attach(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    return Attach(::CreateEllipticRgnIndirect(lpRect));
}

BOOL CRgn::CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode)
{
    return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

int CRgn::CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode)
{
    ASSERT(m_hObject != NULL);
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn1->GetSafeHandle()),
                        static_cast<HRGN>(pRgn2->GetSafeHandle()), nCombineMode);
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    ASSERT(m_hObject != NULL);
    ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2);
}

int CRgn::OffsetRgn(int x, int y)
{
    ASSERT(m_hObject != NULL);
    return ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    return ::RectInRegion(static_cast<HRGN>(m_hObject), lpRect);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect);
}

BOOL CRgn::EqualRgn(CRgn* pRgn) const
{
    return ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn->GetSafeHandle()));
}
