#include "ObList.h"
#include "afxtempl.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)

CObList::CObList(INT_PTR nBlockSize) : CListCore(nBlockSize)
{
}

void CObList::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeWith(ar, &SerializeElementsInsertExtract<CObject*>);
}
