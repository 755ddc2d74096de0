// CObList: a list of CObject pointers; serializes its objects through the archive's object format.
#pragma once
#include "Object.h"
#include "ListCore.h"

class CObList : public CObject, public CListCore<CObList, CObject*, CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10);

    void Serialize(CArchive& ar) override;
};
