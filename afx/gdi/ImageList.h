// CImageList: a common-controls image list, owned by the wrapper that created or attached it.
//
// FromHandle answers with the wrapper that attached the handle; for any other list it makes a
// temporary wrapper, valid until the thread next goes idle (DeleteTempMap), which never destroys
// the list.
#pragma once
#include "AfxDefs.h"
#include "GdiObject.h"
#include "Rect.h"
#include "Wnd.h"
#include <commctrl.h>
#include <shellapi.h>   // ExtractIcon is a macro there; every user must see the same member name

class CDC;

class CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    HIMAGELIST m_hImageList;

    CImageList();
    ~CImageList() override;   // destroys a list it created or attached

    operator HIMAGELIST() const { return GetSafeHandle(); }
    HIMAGELIST GetSafeHandle() const { return SafeHandle(this); }

    static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
    static CImageList* PASCAL FromHandlePermanent(HIMAGELIST hImageList);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    // ---- creation ----
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // A strip of images cx wide from a bitmap resource of AfxGetResourceHandle(); crMask is the
    // transparent colour (CLR_NONE: none).
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    // The images of pImageList, copied.
    BOOL Create(CImageList* pImageList);
    BOOL DeleteImageList();

    // ---- contents ----
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }
    CSize GetIconSize() const;   // the size of one image; (0, 0) without a list
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

    // Add returns the index of the first new image, -1 on failure.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }   // -1: all images
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
    BOOL SetOverlayImage(int nImage, int nOverlay) { return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay); }

    // ---- drawing ----
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);

    // ---- dragging ----
    BOOL BeginDrag(int nImage, CPoint ptHotSpot) { return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y); }
    static BOOL PASCAL DragEnter(CWnd* pWndLock, CPoint point) { return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y); }
    static BOOL PASCAL DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
    static BOOL PASCAL DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(pWndLock->GetSafeHwnd()); }
    static void PASCAL EndDrag() { ImageList_EndDrag(); }
    static BOOL PASCAL DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }

private:
    static HIMAGELIST SafeHandle(const CImageList* pList) { return pList == NULL ? NULL : pList->m_hImageList; }
};
