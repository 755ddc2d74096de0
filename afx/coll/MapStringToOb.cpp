#include "MapStringToOb.h"
#include "afxtempl.h"

IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)

CMapStringToOb::CMapStringToOb(INT_PTR nBlockSize) : CMapCore(nBlockSize)
{
}

void CMapStringToOb::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeWith(ar, &SerializeElements<CString>, &SerializeElementsInsertExtract<CObject*>);
}
