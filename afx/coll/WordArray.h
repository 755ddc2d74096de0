// CWordArray: an array of WORDs; serialized as the count and the raw little-endian words.
#pragma once
#include "Object.h"
#include "ArrayCore.h"

class CWordArray : public CObject, public CArrayCore<CWordArray, WORD, WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
public:
    void Serialize(CArchive& ar) override;
};
