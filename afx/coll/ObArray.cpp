#include "ObArray.h"
#include "afxtempl.h"

IMPLEMENT_SERIAL(CObArray, CObject, 0)

void CObArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeWith(ar, &SerializeElementsInsertExtract<CObject*>);
}
