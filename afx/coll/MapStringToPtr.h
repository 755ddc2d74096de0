// CMapStringToPtr: maps strings to untyped pointers; not serializable.
#pragma once
#include "Object.h"
#include "String.h"
#include "MapCore.h"

class CMapStringToPtr : public CObject, public CMapCore<CString, LPCTSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10);
};
