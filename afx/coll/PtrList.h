// CPtrList: a list of untyped pointers. It owns none of them and is not serializable.
#pragma once
#include "Object.h"
#include "ListCore.h"

class CPtrList : public CObject, public CListCore<CPtrList, void*, void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10);
};
