// CMapWordToPtr: maps WORD keys to untyped pointers; not serializable.
#pragma once
#include "Object.h"
#include "MapCore.h"

class CMapWordToPtr : public CObject, public CMapCore<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10);
};
