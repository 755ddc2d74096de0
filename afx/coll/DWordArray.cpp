#include "DWordArray.h"
#include "afxtempl.h"

IMPLEMENT_SERIAL(CDWordArray, CObject, 0)

void CDWordArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeWith(ar, &SerializeElements<DWORD>);
}
