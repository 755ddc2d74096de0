// CStringList: a list of CString values.
#pragma once
#include "Object.h"
#include "String.h"
#include "ListCore.h"

class CStringList : public CObject, public CListCore<CStringList, CString, const CString&, const CString&>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10);

    void Serialize(CArchive& ar) override;
};
