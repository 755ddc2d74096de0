// CImageList.
#include "ImageList.h"
#include "DC.h"
#include "String.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

typedef CThreadHandleMap<CImageList, HIMAGELIST> ImageListMaps;

ImageListMaps::Map* ImageListMap()
{
    return ImageListMaps::Get(ImageListMaps::Map::CreateTempWrapper<&CImageList::m_hImageList>,
                              ImageListMaps::Map::DeleteTempWrapper<&CImageList::m_hImageList>);
}

} // namespace

CImageList::CImageList() : m_hImageList(NULL)
{
}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    ImageListMaps::Map* pMap = ImageListMap();
    return pMap != NULL ? pMap->FromHandle(hImageList) : NULL;
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    ImageListMaps::Map* pMap = ImageListMaps::Find();
    return pMap != NULL ? pMap->LookupPermanent(hImageList) : NULL;
}

void PASCAL CImageList::DeleteTempMap()
{
    if (ImageListMaps::Map* pMap = ImageListMaps::Find())
        pMap->DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    return ImageListMaps::Map::Attach(ImageListMap(), this, m_hImageList, hImageList);
}

HIMAGELIST CImageList::Detach()
{
    return ImageListMaps::Map::Detach(ImageListMaps::Find(), this, m_hImageList);
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Attach(ImageList_LoadImageA(AfxGetResourceHandle(), lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, 0));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return Attach(ImageList_Duplicate(pImageList->GetSafeHandle()));
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == NULL)
        return FALSE;
    return ImageList_Destroy(Detach());
}

CSize CImageList::GetIconSize() const
{
    int cx = 0;
    int cy = 0;
    if (m_hImageList != NULL)
        ImageList_GetIconSize(m_hImageList, &cx, &cy);
    return CSize(cx, cy);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                         static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()), crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                             static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
