// CMap: a hash map of any key and value types. Keys are hashed with HashKey<ARG_KEY> and compared
// with CompareElements.
#pragma once
#include "Object.h"
#include "MapCore.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject, public CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>
{
public:
    explicit CMap(INT_PTR nBlockSize = 10) : CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>(nBlockSize) {}

    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        this->SerializeWith(ar, &SerializeElements<KEY>, &SerializeElements<VALUE>);
    }
};
