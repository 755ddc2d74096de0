// CMapStringToString: maps strings to strings.
#pragma once
#include "Object.h"
#include "String.h"
#include "MapCore.h"

class CMapStringToString : public CObject, public CMapCore<CString, LPCTSTR, CString, LPCTSTR>
{
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10);

    void Serialize(CArchive& ar) override;
};
