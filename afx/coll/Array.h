// CArray: a growable array of any element type. Elements are constructed, copied and destroyed
// through the element helpers, so class types such as CString are handled properly.
#pragma once
#include "Object.h"
#include "ArrayCore.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject, public CArrayCore<CArray<TYPE, ARG_TYPE>, TYPE, ARG_TYPE>
{
public:
    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        this->SerializeWith(ar, &SerializeElements<TYPE>);
    }
};
