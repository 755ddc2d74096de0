#include "MapStringToString.h"
#include "afxtempl.h"

IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)

CMapStringToString::CMapStringToString(INT_PTR nBlockSize) : CMapCore(nBlockSize)
{
}

void CMapStringToString::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeWith(ar, &SerializeElements<CString>, &SerializeElements<CString>);
}
