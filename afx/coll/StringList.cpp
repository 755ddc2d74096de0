#include "StringList.h"
#include "afxtempl.h"

IMPLEMENT_SERIAL(CStringList, CObject, 0)

CStringList::CStringList(INT_PTR nBlockSize) : CListCore(nBlockSize)
{
}

void CStringList::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeWith(ar, &SerializeElements<CString>);
}
