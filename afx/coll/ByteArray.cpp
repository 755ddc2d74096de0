#include "ByteArray.h"
#include "afxtempl.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 0)

void CByteArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeWith(ar, &SerializeElements<BYTE>);
}
