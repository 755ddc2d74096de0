#include "MapWordToOb.h"
#include "afxtempl.h"

IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)

CMapWordToOb::CMapWordToOb(INT_PTR nBlockSize) : CMapCore(nBlockSize)
{
}

void CMapWordToOb::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeWith(ar, &SerializeElementsInsertExtract<WORD>, &SerializeElementsInsertExtract<CObject*>);
}
