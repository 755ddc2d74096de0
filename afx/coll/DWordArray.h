// CDWordArray: an array of DWORDs; serialized as the count and the raw little-endian double words.
#pragma once
#include "Object.h"
#include "ArrayCore.h"

class CDWordArray : public CObject, public CArrayCore<CDWordArray, DWORD, DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
public:
    void Serialize(CArchive& ar) override;
};
