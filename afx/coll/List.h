// CList: a doubly linked list of any element type, iterated by POSITION.
#pragma once
#include "Object.h"
#include "ListCore.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject, public CListCore<CList<TYPE, ARG_TYPE>, TYPE, ARG_TYPE>
{
public:
    explicit CList(INT_PTR nBlockSize = 10) : CListCore<CList<TYPE, ARG_TYPE>, TYPE, ARG_TYPE>(nBlockSize) {}

    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        this->SerializeWith(ar, &SerializeElements<TYPE>);
    }
};
