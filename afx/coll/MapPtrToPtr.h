// CMapPtrToPtr: maps untyped pointers to untyped pointers; not serializable.
#pragma once
#include "Object.h"
#include "MapCore.h"

class CMapPtrToPtr : public CObject, public CMapCore<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10);
};
