// CUIntArray: an array of UINTs. Not serializable, because the size of a UINT differs between platforms.
#pragma once
#include "Object.h"
#include "ArrayCore.h"

class CUIntArray : public CObject, public CArrayCore<CUIntArray, UINT, UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
};
