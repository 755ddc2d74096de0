// CMapPtrToWord: maps untyped pointers to WORDs; not serializable.
#pragma once
#include "Object.h"
#include "MapCore.h"

class CMapPtrToWord : public CObject, public CMapCore<void*, void*, WORD, WORD>
{
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10);
};
