// CPtrArray: an array of untyped pointers. It owns none of them and is not serializable.
#pragma once
#include "Object.h"
#include "ArrayCore.h"

class CPtrArray : public CObject, public CArrayCore<CPtrArray, void*, void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
};
