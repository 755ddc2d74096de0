// CMapWordToOb: maps WORD keys to CObject pointers; serializes each key and its object.
#pragma once
#include "Object.h"
#include "MapCore.h"

class CMapWordToOb : public CObject, public CMapCore<WORD, WORD, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10);

    void Serialize(CArchive& ar) override;
};
