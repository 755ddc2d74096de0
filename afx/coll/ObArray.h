// CObArray: an array of CObject pointers; serializes its objects through the archive's object format.
#pragma once
#include "Object.h"
#include "ArrayCore.h"

class CObArray : public CObject, public CArrayCore<CObArray, CObject*, CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
public:
    void Serialize(CArchive& ar) override;
};
