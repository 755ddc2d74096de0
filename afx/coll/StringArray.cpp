#include "StringArray.h"
#include "afxtempl.h"

IMPLEMENT_SERIAL(CStringArray, CObject, 0)

void CStringArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeWith(ar, &SerializeElements<CString>);
}
