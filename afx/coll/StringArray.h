// CStringArray: an array of CString values.
#pragma once
#include "Object.h"
#include "String.h"
#include "ArrayCore.h"

class CStringArray : public CObject, public CArrayCore<CStringArray, CString, const CString&, const CString&>
{
    DECLARE_SERIAL(CStringArray)
public:
    void Serialize(CArchive& ar) override;
};
