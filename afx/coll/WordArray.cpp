#include "WordArray.h"
#include "afxtempl.h"

IMPLEMENT_SERIAL(CWordArray, CObject, 0)

void CWordArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeWith(ar, &SerializeElements<WORD>);
}
