// CByteArray: an array of bytes; serialized as the count and the raw bytes.
#pragma once
#include "Object.h"
#include "ArrayCore.h"

class CByteArray : public CObject, public CArrayCore<CByteArray, BYTE, BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
public:
    void Serialize(CArchive& ar) override;
};
