// CDC and the window DCs.
#include "DC.h"
#include "Exception.h"

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

typedef CThreadHandleMap<CDC, HDC> DCMaps;

CDC* CreateTempDC(HDC hDC)
{
    CDC* pDC = new CDC;
    pDC->m_hDC = hDC;
    pDC->m_hAttribDC = hDC;
    return pDC;
}

void DeleteTempDC(CDC* pDC)
{
    pDC->m_hDC = NULL;   // a temporary wrapper never owns its DC
    pDC->m_hAttribDC = NULL;
    delete pDC;
}

DCMaps::Map* DCMap()
{
    return DCMaps::Get(CreateTempDC, DeleteTempDC);
}

// An attribute setting reaches the output DC as well when the two differ; the attribute DC's answer
// is the one reported.
template <class TFunction, class... TArgs>
auto SetOnBoth(HDC hOutputDC, HDC hAttribDC, TFunction pfnSet, TArgs... args) -> decltype(pfnSet(hOutputDC, args...))
{
    decltype(pfnSet(hOutputDC, args...)) result{};
    if (hOutputDC != NULL && hOutputDC != hAttribDC)
        result = pfnSet(hOutputDC, args...);
    if (hAttribDC != NULL)
        result = pfnSet(hAttribDC, args...);
    return result;
}

} // namespace

// ---- CDC: handles ----

CDC::CDC() : m_hDC(NULL), m_hAttribDC(NULL)
{
}

CDC::~CDC()
{
    if (m_hDC != NULL)
        ::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    DCMaps::Map* pMap = DCMap();
    return pMap != NULL ? pMap->FromHandle(hDC) : NULL;
}

void PASCAL CDC::DeleteTempMap()
{
    if (DCMaps::Map* pMap = DCMaps::Find())
        pMap->DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    if (!DCMaps::Map::Attach(DCMap(), this, m_hDC, hDC))
        return FALSE;
    m_hAttribDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    m_hAttribDC = NULL;
    return DCMaps::Map::Detach(DCMaps::Find(), this, m_hDC);
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEA*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

// ---- state ----

int CDC::SaveDC()
{
    int nSavedDC = 0;
    if (m_hAttribDC != NULL)
        nSavedDC = ::SaveDC(m_hAttribDC);
    // The save levels of two different DCs need not match; -1 restores the latest state of each.
    if (m_hDC != NULL && m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0)
        nSavedDC = -1;
    return nSavedDC;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ::RestoreDC, nSavedDC);
}

// ---- selected objects ----

HGDIOBJ CDC::SelectGdiObject(HGDIOBJ hObject)
{
    // The caller restores what the output DC had.
    HGDIOBJ hPrevious = NULL;
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        hPrevious = ::SelectObject(m_hAttribDC, hObject);
    if (m_hDC != NULL)
        hPrevious = ::SelectObject(m_hDC, hObject);
    return hPrevious;
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return CPen::FromHandle(static_cast<HPEN>(SelectGdiObject(pPen->GetSafeHandle())));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(SelectGdiObject(pBrush->GetSafeHandle())));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return CFont::FromHandle(static_cast<HFONT>(SelectGdiObject(pFont->GetSafeHandle())));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    // A bitmap can be selected into one DC only: the output DC.
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap->GetSafeHandle())));
}

int CDC::SelectObject(CRgn* pRgn)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, pRgn->GetSafeHandle())));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return CGdiObject::FromHandle(SelectGdiObject(pObject->GetSafeHandle()));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return SelectGdiObject(hObject);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectGdiObject(::GetStockObject(nIndex)));
}

// ---- clipping (output DC only: it decides what is painted) ----

int CDC::SelectClipRgn(CRgn* pRgn)
{
    return ::SelectClipRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()));
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    return ::ExtSelectClipRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()), nMode);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
}

// ---- colours and modes ----

CPoint CDC::SetBrushOrg(int x, int y)
{
    CPoint ptPrevious;
    ::SetBrushOrgEx(m_hDC, x, y, &ptPrevious);
    return ptPrevious;
}

CPoint CDC::GetBrushOrg() const
{
    CPoint point;
    ::GetBrushOrgEx(m_hDC, &point);
    return point;
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ::SetBkColor, crColor);
}

int CDC::SetBkMode(int nBkMode)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ::SetBkMode, nBkMode);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ::SetTextColor, crColor);
}

int CDC::SetROP2(int nDrawMode)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ::SetROP2, nDrawMode);
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ::SetTextAlign, nFlags);
}

// ---- mapping ----

int CDC::SetMapMode(int nMapMode)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ::SetMapMode, nMapMode);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    CPoint ptPrevious;
    SetOnBoth(m_hDC, m_hAttribDC, ::SetViewportOrgEx, x, y, static_cast<LPPOINT>(&ptPrevious));
    return ptPrevious;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    CPoint ptPrevious;
    SetOnBoth(m_hDC, m_hAttribDC, ::OffsetViewportOrgEx, nWidth, nHeight, static_cast<LPPOINT>(&ptPrevious));
    return ptPrevious;
}

CPoint CDC::GetViewportOrg() const
{
    CPoint point;
    ::GetViewportOrgEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    CPoint ptPrevious;
    SetOnBoth(m_hDC, m_hAttribDC, ::SetWindowOrgEx, x, y, static_cast<LPPOINT>(&ptPrevious));
    return ptPrevious;
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    CPoint ptPrevious;
    SetOnBoth(m_hDC, m_hAttribDC, ::OffsetWindowOrgEx, nWidth, nHeight, static_cast<LPPOINT>(&ptPrevious));
    return ptPrevious;
}

CPoint CDC::GetWindowOrg() const
{
    CPoint point;
    ::GetWindowOrgEx(m_hAttribDC, &point);
    return point;
}

// ---- lines ----

CPoint CDC::MoveTo(int x, int y)
{
    CPoint ptPrevious;
    SetOnBoth(m_hDC, m_hAttribDC, ::MoveToEx, x, y, static_cast<LPPOINT>(&ptPrevious));
    return ptPrevious;
}

CPoint CDC::GetCurrentPosition() const
{
    CPoint point;
    ::GetCurrentPositionEx(m_hAttribDC, &point);
    return point;
}

BOOL CDC::LineTo(int x, int y)
{
    // The attribute DC keeps the current position in step with the output DC.
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, NULL);
    return ::LineTo(m_hDC, x, y);
}

// ---- rectangles ----

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    ::SetBkColor(m_hDC, crColor);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    RECT rect = { x, y, x + cx, y + cy };
    FillSolidRect(&rect, crColor);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

// ---- icons and state images ----

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, NULL, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx, size.cy,
                       nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, static_cast<HBITMAP>(pBitmap->GetSafeHandle()), nFlags,
                     static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, NULL, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                       nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, hIcon, nFlags, static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, NULL, reinterpret_cast<LPARAM>(lpszText), static_cast<WPARAM>(nTextLen), pt.x,
                       pt.y, size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    CBrush* pBrush)
{
    return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen, static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

// ---- bit blocks ----

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, CBitmap& maskBitmap,
                  int xMask, int yMask, DWORD dwRop)
{
    return ::MaskBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc,
                     static_cast<HBITMAP>(maskBitmap.GetSafeHandle()), xMask, yMask, dwRop);
}

// ---- text ----

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOut(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

BOOL CDC::GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData, int nCount, int x,
                     int y, int nWidth, int nHeight)
{
    return ::GrayString(m_hDC, static_cast<HBRUSH>(pBrush->GetSafeHandle()), lpfnOutput, lpData, nCount, x, y, nWidth,
                        nHeight);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
    return size;
}

int CDC::GetTextFace(CString& rString) const
{
    char szFaceName[LF_FACESIZE] = "";
    int nLength = ::GetTextFace(m_hAttribDC, LF_FACESIZE, szFaceName);
    rString = szFaceName;
    return nLength;
}

// ---- window DCs ----

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    memset(&m_ps, 0, sizeof(m_ps));
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
