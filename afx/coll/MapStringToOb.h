// CMapStringToOb: maps strings to CObject pointers; serializes each key string and its object.
#pragma once
#include "Object.h"
#include "String.h"
#include "MapCore.h"

class CMapStringToOb : public CObject, public CMapCore<CString, LPCTSTR, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10);

    void Serialize(CArchive& ar) override;
};
