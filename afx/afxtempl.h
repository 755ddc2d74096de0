// The collection templates: CArray, CList, CMap and the typed pointer collections, with the element
// helpers they call.
#pragma once
#include "afx.h"
#include "Archive.h"
#include "Exception.h"
#include "ElementHelpers.h"

// Bit-wise: right for plain types; types with their own archive form have a specialization.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    ASSERT(nCount >= 0);
    if (nCount == 0)
        return;   // an empty collection may have no storage at all
    UINT nBytes = static_cast<UINT>(nCount * sizeof(TYPE));
    if (ar.IsStoring())
        ar.Write(pElements, nBytes);
    else if (ar.Read(pElements, nBytes) != nBytes)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

// Each element through the archive's << and >> operators.
template <class TYPE>
void AFXAPI SerializeElementsInsertExtract(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    ASSERT(nCount >= 0);
    for (; nCount > 0; --nCount, ++pElements)
    {
        if (ar.IsStoring())
            ar << *pElements;
        else
            ar >> *pElements;
    }
}

template <>
inline void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    SerializeElementsInsertExtract(ar, pElements, nCount);
}

template <>
inline UINT AFXAPI HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCSTR>(key);
}

#include "Array.h"
#include "List.h"
#include "Map.h"
#include "TypedPtrArray.h"
#include "TypedPtrList.h"
#include "TypedPtrMap.h"
